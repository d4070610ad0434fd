#pragma once

#include <QDialog>

class CDialog;

// The toolkit window behind a CDialog. It routes key presses, close requests,
// timers and right clicks to its CDialog and keeps the toolkit's own dialog
// behaviour (Escape rejects, Return presses a default button) out of the way.
class DialogWindow : public QDialog {
public:
    DialogWindow(CDialog& owner, QWidget* parent, Qt::WindowFlags flags);

    // The CDialog lets go of this window; events still arriving are dropped.
    void Detach() { owner = nullptr; }
    bool IsDetached() const { return owner == nullptr; }

    bool ended = false; // EndDialog ran, possibly before the modal loop started
    int endResult = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void timerEvent(QTimerEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CDialog* owner;
    bool redelivering = false;
};
