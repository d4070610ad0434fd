#include "app/BrimletDlg.h"

#include "framework/PortProbe.h"
#include "reader/DecimalText.h"
#include "resources/ResourceIds.h"

#include <string>
#include <string_view>

namespace {

constexpr int kLastListedPort = 100;
constexpr const char* kBaudRates[] = {"9600", "19200", "38400", "57600", "115200"};
constexpr int kSelectedBaud = 4;
// A port list entry reads "COM<n>".
constexpr std::size_t kPortPrefixLength = 3;

} // namespace

void CBrimletDlg::SetUpPortLists() {
    EnumeratePorts();
    for (const char* rate : kBaudRates) {
        baudCombo.AddString(rate);
    }
    baudCombo.SetCurSel(kSelectedBaud);
}

void CBrimletDlg::EnumeratePorts() {
    portCombo.ResetContent();
    for (int port = 1; port <= kLastListedPort; ++port) {
        if (IsComPortPresent(port)) {
            portCombo.AddString("COM" + std::to_string(port));
        }
    }
    portCombo.SetCurSel(0);
}

bool CBrimletDlg::OpenSelectedPort() {
    const std::string entry = portCombo.GetWindowText();
    const int port = DecimalTextValue(entry.size() > kPortPrefixLength
                                          ? std::string_view(entry).substr(kPortPrefixLength)
                                          : std::string_view());
    if (reader.OpenPortByHand(port)) {
        transferButton.EnableWindow(TRUE);
        openButton.SetWindowText("Close");
        return true;
    }
    ShowNotice("포트 열기 실패");
    return false;
}

void CBrimletDlg::ClosePort() {
    reader.ClosePort();
}

void CBrimletDlg::OnOpenButton() {
    if (reader.PortOpenedByHand()) {
        ClosePort();
    } else {
        OpenSelectedPort();
    }
}

ReaderRequest CBrimletDlg::TechnicianRequest() {
    ReaderRequest request;
    if (autoPortSearch == 0) {
        request.port = DecimalTextValue(portNumberField.GetWindowText());
    }
    request.modelName = modelNameField.GetWindowText();
    return request;
}

void CBrimletDlg::OnRefreshButton() {
    ClosePort();
    EnumeratePorts();
}

void CBrimletDlg::OnAutoSearchCheck() {
    auto* check = static_cast<CButton*>(GetDlgItem(IDC_AUTO_SEARCH_CHECK));
    autoPortSearch = check->GetCheck() == BST_CHECKED ? 1 : 0;
    const int show = autoPortSearch == 0 ? SW_SHOW : SW_HIDE;
    GetDlgItem(IDC_PORT_NUMBER_LABEL)->ShowWindow(show);
    portNumberField.ShowWindow(show);
}
