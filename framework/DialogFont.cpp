#include "framework/DialogFont.h"

#include <QFontMetrics>
#include <QStringList>

QFont DialogFontOf(const DialogTemplate& dialogTemplate) {
    QFont font;
    font.setFamilies(QStringList{QString::fromUtf8(dialogTemplate.fontFace)});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, MulDiv(dialogTemplate.fontPoints, 96, 72)));
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    QFontMetrics metrics(font);
    int alphabet =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return DialogBaseUnits{AverageCharWidth(alphabet), metrics.ascent() + metrics.descent()};
}
