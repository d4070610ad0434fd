#include "framework/ScreenImage.h"

#include "framework/UiThread.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QString>

bool SaveScreenImage(const std::string& path) {
    bool saved = false;
    RunOnUiThread([&] {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (screen == nullptr) {
            return;
        }
        // Window 0 is the whole screen: the notice over the main window included.
        const QPixmap picture = screen->grabWindow(0);
        saved = !picture.isNull() && picture.save(QString::fromStdString(path), "PNG");
    });
    return saved;
}
