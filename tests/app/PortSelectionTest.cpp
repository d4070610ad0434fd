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
    std::vector<std::string> PortEntries() const {
        std::vector<std::string> entries;
        for (int i = 0; i < dialog.portCombo.GetCount(); ++i) {
            entries.push_back(dialog.portCombo.GetLBText(i));
        }
        return entries;
    }
    CButton* AutoSearchCheck() {
        return static_cast<CButton*>(dialog.GetDlgItem(IDC_AUTO_SEARCH_CHECK));
    }
    void Refresh() { dialog.SendCommand(IDC_REFRESH_BUTTON); }
    void OpenOrClose() { dialog.SendCommand(IDC_OPEN_BUTTON); }
};

TEST_F(PortSelection, StartsWithTheBaudListAtItsFastestRate) {
    std::vector<std::string> rates;
    for (int i = 0; i < dialog.baudCombo.GetCount(); ++i) {
        rates.push_back(dialog.baudCombo.GetLBText(i));
    }
    EXPECT_EQ(rates, (Lines{"9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(dialog.baudCombo.GetCurSel(), 4);
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
}

TEST_F(PortSelection, ListsPresentPortsInAscendingOrderWithTheFirstSelected) {
    PlugScriptedReader(10);
    PlugScriptedReader(3);
    PlugScriptedReader(100);
    PlugScriptedReader(101);

    Refresh();

    EXPECT_EQ(PortEntries(), (Lines{"COM3", "COM10", "COM100"}));
    EXPECT_EQ(dialog.portCombo.GetCurSel(), 0);
    EXPECT_EQ(dialog.portCombo.GetWindowText(), "COM3");
}

TEST_F(PortSelection, NoPortLeavesTheListEmpty) {
    dialog.portCombo.AddString("COM99");
    Refresh();
    EXPECT_TRUE(PortEntries().empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PortSelection, SkipsPortsHeldByAnotherProgramAndDevicesThatAreNoPort) {
    PlugScriptedReader(3);
    PlugScriptedReader(4);
    PlugScriptedReader(5);
    // The reader-link library takes its ports exclusively, as another program would.
    ASSERT_EQ(VQ_InitPort(4, 115200), 4);
    const std::filesystem::path plainFile = folder / "not-a-port";
    std::ofstream(plainFile) << "data";
    std::filesystem::remove(folder / "ports" / "COM6");
    std::filesystem::create_symlink(plainFile, folder / "ports" / "COM6");

    dialog.EnumeratePorts();

    EXPECT_EQ(PortEntries(), (Lines{"COM3", "COM5"}));
    EXPECT_TRUE(TakeOpenPort(4)) << "the probe leaves a held port alone";
}

TEST_F(PortSelection, OpensTheSelectedPortAtTheFixedRate) {
    testsupport::FakeReaderPty& reader = PlugScriptedReader(12);
    Refresh();
    dialog.baudCombo.SetCurSel(0);
    dialog.transferButton.EnableWindow(FALSE);

    OpenOrClose();

    EXPECT_EQ(dialog.reader.port, 12);
    EXPECT_EQ(dialog.reader.portOpen, 1);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Close");
    EXPECT_TRUE(dialog.transferButton.IsWindowEnabled());
    EXPECT_TRUE(boxes.empty());
    reader.Enqueue(testsupport::FakeReply::Answer(Bytes{0x00}));
    int received = 0;
    unsigned char area[1000] = {};
    const unsigned char probe[] = {0x16};
    EXPECT_EQ(VQ_Polling(12, 1, probe, &received, area, 3000), VQ_OK) << "the port is open";
}

TEST_F(PortSelection, PressingAgainClosesThePort) {
    PlugScriptedReader(12);
    Refresh();
    OpenOrClose();
    ASSERT_EQ(dialog.reader.portOpen, 1);

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

TEST_F(PortSelection, AnEmptyListOpensNothing) {
    Refresh();
    EXPECT_EQ(dialog.OpenSelectedPort(), 0);
    EXPECT_EQ(dialog.reader.port, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "포트 열기 실패");
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

    EXPECT_EQ(PortEntries(), (Lines{"COM12", "COM15"}));
    EXPECT_EQ(dialog.reader.port, 0);
    EXPECT_EQ(dialog.reader.portOpen, 0);
    EXPECT_EQ(dialog.openButton.GetWindowText(), "Open");
    EXPECT_FALSE(TakeOpenPort(15));
}

TEST_F(PortSelection, TheCheckBoxShowsTheManualPortOnlyWhenCleared) {
    CWnd* label = dialog.GetDlgItem(IDC_PORT_NUMBER_LABEL);
    ASSERT_EQ(AutoSearchCheck()->GetCheck(), BST_CHECKED);
    EXPECT_FALSE(label->IsWindowVisible());
    EXPECT_FALSE(dialog.portNumberField.IsWindowVisible());

    AutoSearchCheck()->Click();

    EXPECT_EQ(dialog.reader.autoPortSearch, 0);
    EXPECT_TRUE(label->IsWindowVisible());
    EXPECT_EQ(label->GetWindowText(), "PORT:");
    EXPECT_TRUE(dialog.portNumberField.IsWindowVisible());
    EXPECT_EQ(dialog.portNumberField.GetWindowText(), "7");

    AutoSearchCheck()->Click();

    EXPECT_EQ(dialog.reader.autoPortSearch, 1);
    EXPECT_FALSE(label->IsWindowVisible());
    EXPECT_FALSE(dialog.portNumberField.IsWindowVisible());
}

} // namespace
