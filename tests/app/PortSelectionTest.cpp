#include "tests/reader/ReaderBench.h"

#include "readerlink/VexilonDll.h"
#include "resources/ResourceIds.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class PortSelection : public ReaderBench {
protected:
    Lines Entries(CComboBox& combo) const {
        Lines entries;
        for (int i = 0; i < combo.GetCount(); ++i) {
            entries.push_back(combo.GetLBText(i));
        }
        return entries;
    }
    void Refresh() { dialog.SendCommand(IDC_REFRESH_BUTTON); }
    void OpenOrClose() { dialog.SendCommand(IDC_OPEN_BUTTON); }
};

TEST_F(PortSelection, ListsPresentPortsInAscendingOrderWithTheFirstSelected) {
    EXPECT_EQ(Entries(dialog.baudCombo), (Lines{"9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(dialog.baudCombo.GetCurSel(), 4);
    for (int port : {10, 3, 100, 101}) {
        PlugScriptedReader(port);
    }
    dialog.portCombo.AddString("COM99");

    Refresh();

    EXPECT_EQ(Entries(dialog.portCombo), (Lines{"COM3", "COM10", "COM100"}));
    EXPECT_EQ(dialog.portCombo.GetWindowText(), "COM3");
}

TEST_F(PortSelection, SkipsPortsHeldByAnotherProgramAndDevicesThatAreNoPort) {
    for (int port : {3, 4, 5}) {
        PlugScriptedReader(port);
    }
    // The reader-link library takes its ports exclusively, as another program would.
    ASSERT_EQ(VQ_InitPort(4, 115200), 4);
    const std::filesystem::path plainFile = folder / "not-a-port";
    std::ofstream(plainFile) << "data";
    std::filesystem::remove(folder / "ports" / "COM6");
    std::filesystem::create_symlink(plainFile, folder / "ports" / "COM6");

    dialog.EnumeratePorts();

    EXPECT_EQ(Entries(dialog.portCombo), (Lines{"COM3", "COM5"}));
    EXPECT_TRUE(TakeOpenPort(4)) << "the probe leaves a held port alone";
}

TEST_F(PortSelection, OpensTheSelectedPortAndPressingAgainClosesIt) {
    PlugScriptedReader(12);
    Refresh();
    dialog.transferButton.EnableWindow(FALSE);

    OpenOrClose();

    EXPECT_EQ(dialog.reader.port, 12);
    EXPECT_EQ(dialog.reader.portOpen, 1);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Close");
    EXPECT_TRUE(dialog.transferButton.IsWindowEnabled());
    EXPECT_TRUE(boxes.empty());

    OpenOrClose();

    EXPECT_EQ(dialog.reader.port, 0);
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
    EXPECT_FALSE(TakeOpenPort(12));
}

TEST_F(PortSelection, AFailedOpenSaysSoAndKeepsTheCaption) {
    testsupport::FakeReaderPty& reader = PlugScriptedReader(12);
    Refresh();
    reader.Stop(); // unplugged after the list was made

    OpenOrClose();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "포트 열기 실패");
    EXPECT_EQ(boxes[0].buttons, MB_OK);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.reader.port, 12) << "the port keeps the number that failed";
    EXPECT_FALSE(TakeOpenPort(12));
}

// Were the port not closed first, the library's own hold would hide it from the list.
TEST_F(PortSelection, RefreshClosesThePortBeforeRebuildingTheList) {
    PlugScriptedReader(12);
    PlugScriptedReader(15);
    Refresh();
    dialog.portCombo.SetCurSel(1);
    OpenOrClose();
    ASSERT_EQ(dialog.reader.port, 15);

    Refresh();

    EXPECT_EQ(Entries(dialog.portCombo), (Lines{"COM12", "COM15"}));
    EXPECT_EQ(dialog.reader.port, 0);
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
    EXPECT_FALSE(TakeOpenPort(15));
}

TEST_F(PortSelection, TheCheckBoxShowsTheManualPortOnlyWhenCleared) {
    auto* check = static_cast<CButton*>(dialog.GetDlgItem(IDC_AUTO_SEARCH_CHECK));
    CWnd* label = dialog.GetDlgItem(IDC_PORT_NUMBER_LABEL);
    for (int autoSearch : {0, 1}) {
        check->Click();
        EXPECT_EQ(dialog.reader.autoPortSearch, autoSearch);
        EXPECT_EQ(label->IsWindowVisible() == FALSE, autoSearch == 1);
        EXPECT_EQ(dialog.portNumberField.IsWindowVisible() == FALSE, autoSearch == 1);
    }
}

} // namespace
