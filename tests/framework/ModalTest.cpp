#include "framework/Font.h"
#include "framework/UiThread.h"
#include "framework/UserInput.h"
#include "framework/WinApp.h"
#include "tests/framework/TestDialog.h"
#include "tests/support/ScreenInput.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QWidget>

namespace {

using namespace testdialog;

TEST(ModalDialog, ReturnsTheEndDialogValueAndDestroysTheWindow) {
    TestDialog dialog;
    dialog.onInit = [&] {
        PostToUiThread([&] {
            dialog.GetDlgItem(kEdit)->SetWindowText("123");
            dialog.SendCommand(IDOK);
        });
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.editText, "123") << "OK read the field into its member";
    EXPECT_FALSE(dialog.IsAttached());
    dialog.onInit = [&] { PostToUiThread([&] { RequestClose(dialog); }); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "runs again; a close request is Cancel";
    EXPECT_EQ(dialog.cancelCount, 1);
    dialog.onInit = [&] { dialog.EndDialog(77); };
    EXPECT_EQ(dialog.DoModal(), 77) << "ending during initialisation never blocks";
}

// Clicks through the window system, where the toolkit blocks windows for a modal one:
// a modal dialog blocks its owner and nothing else, as a dialog box disables only
// its owner; a window without a parent stays usable.
TEST(ModalDialog, BlocksItsOwnerOnlyAgainstUserClicks) {
    TestDialog owner;
    TestDialog bystander;
    int ownerClicks = 0;
    int bystanderClicks = 0;
    owner.OnClicked(kButton, [&] { ++ownerClicks; });
    bystander.OnClicked(kButton, [&] { ++bystanderClicks; });
    ASSERT_TRUE(owner.Create());
    ASSERT_TRUE(bystander.Create());
    owner.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE); // three windows side by side
    bystander.SetWindowPos(nullptr, 500, 0, 0, 0, SWP_NOSIZE);
    for (CWnd* parent : {static_cast<CWnd*>(nullptr), static_cast<CWnd*>(&owner)}) {
        SCOPED_TRACE(parent == nullptr ? "without an owner" : "with an owner");
        TestDialog modal(kTemplate, parent);
        modal.onInit = [&] {
            PostToUiThread([&] {
                EXPECT_TRUE(QTest::qWaitForWindowExposed(screeninput::TopLevelOf(modal)));
                modal.SetWindowPos(nullptr, 0, 300, 0, 0, SWP_NOSIZE);
                screeninput::Click(*owner.GetDlgItem(kButton));
                screeninput::Click(*bystander.GetDlgItem(kButton));
                modal.EndDialog(IDOK);
            });
        };
        ownerClicks = bystanderClicks = 0;
        EXPECT_EQ(modal.DoModal(), IDOK);
        EXPECT_EQ(ownerClicks, parent == nullptr ? 1 : 0);
        EXPECT_EQ(bystanderClicks, 1);
    }
}

TEST(Fonts, HeightsFollowWindowsMeaningAndReachControls) {
    CFont character;
    ASSERT_TRUE(character.CreateFont(-18, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     VARIABLE_PITCH | FF_SWISS, "굴림"));
    EXPECT_EQ(character.GetPixelHeight(), 18);
    EXPECT_EQ(character.GetFaceName(), "굴림");
    CFont points;
    ASSERT_TRUE(points.CreatePointFont(90, "MS Shell Dlg"));
    EXPECT_EQ(points.GetPixelHeight(), 12);

    CFont cell;
    ASSERT_TRUE(cell.CreateFont(30, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "굴림체"));
    QFontMetrics metrics(*cell.Font());
    EXPECT_NEAR(metrics.ascent() + metrics.descent(), 30, 1) << "a positive height is the cell";
    EXPECT_FALSE(cell.CreateFont(10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "x"))
        << "one font per object until DeleteObject";

    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CWnd& label = *dialog.GetDlgItem(kLabel);
    label.SetFont(&cell);
    EXPECT_EQ(label.Widget()->font().pixelSize(), cell.GetPixelHeight());
    EXPECT_EQ(label.Widget()->font().weight(), QFont::Bold);
    CFont never;
    label.SetFont(&never);
    label.SetFont(nullptr);
    EXPECT_EQ(label.Widget()->font().pixelSize(), cell.GetPixelHeight()) << "missing font ignored";
    EXPECT_TRUE(cell.DeleteObject());
    EXPECT_FALSE(cell.IsCreated());
}

class ExitingApp : public CWinApp {
public:
    ExitingApp() : CWinApp("Brimlet") {}
    BOOL InitInstance() override { return ++initCount, FALSE; }
    int ExitInstance() override { return 3; }
    int initCount = 0;
};

TEST(Application, RunCallsInitInstanceAndEndsWhenItReturnsFalse) {
    ExitingApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    int argc = 1;
    char name[] = "brimlet";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(app.Run(argc, argv), 3);
    EXPECT_EQ(app.initCount, 1);
}

TEST(Application, IconsRegisterByIdAndBadImagesAreRefused) {
    // A 1x1 PNG.
    static const unsigned char png[] = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
        0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
        0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78,
        0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x00, 0x05, 0x00, 0x01, 0xFF, 0x89, 0x99,
        0x3D, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    static const unsigned char junk[] = {1, 2, 3, 4};
    HICON icon = RegisterIconResource(128, png, sizeof png);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconResource(128), icon);
    EXPECT_EQ(RegisterIconResource(129, junk, sizeof junk), nullptr);
    EXPECT_EQ(LoadIconResource(129), nullptr);
    HICON again = RegisterIconResource(128, png, sizeof png);
    EXPECT_EQ(LoadIconResource(128), again);

    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.SetIcon(icon, ICON_BIG), nullptr);
    EXPECT_EQ(dialog.SetIcon(again, ICON_BIG), icon) << "the previous icon of that size";
    EXPECT_FALSE(dialog.Widget()->windowIcon().isNull());
}

} // namespace
