// render-manual: typesets a UTF-8 HTML page into an A4 PDF with the fonts the
// machine has, for the manual that ships beside the program.

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kUsage = "Usage: render-manual INPUT.html OUTPUT.pdf TITLE\n";

int Fail(const QString& message) {
    std::fprintf(stderr, "render-manual: %s\n", message.toUtf8().constData());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // A build machine has no display; the fonts come from the font configuration.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    // Without a Hangul face every Korean character would print as an empty box.
    if (QFontDatabase::families(QFontDatabase::Korean).isEmpty()) {
        return Fail("no Korean font is installed (Debian: fonts-nanum)");
    }
    QFile source(input);
    if (!source.open(QIODevice::ReadOnly)) {
        return Fail("cannot read " + input + ": " + source.errorString());
    }
    QTextDocument document;
    document.setHtml(QString::fromUtf8(source.readAll()));

    // Written beside the target and renamed over it: an interrupted build leaves
    // no truncated manual that looks finished.
    const QString partial = output + ".partial";
    {
        QPdfWriter writer(partial);
        writer.setPageSize(QPageSize(QPageSize::A4));
        // print() lays the text out on the whole paper with its own 2 cm margins;
        // margins of the writer as well would push the right edge off the page.
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        writer.setTitle(QString::fromUtf8(argv[3]));
        writer.setCreator(QStringLiteral("Brimlet"));
        document.print(&writer);
    }
    QFile::remove(output);
    if (!QFile::exists(partial) || !QFile::rename(partial, output)) {
        QFile::remove(partial);
        return Fail("cannot write " + output);
    }
    return 0;
}
