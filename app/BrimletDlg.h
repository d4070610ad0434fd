#pragma once

#include "app/AboutDlg.h"
#include "app/InprogressDlg.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Font.h"
#include "reader/ReaderState.h"
#include "security/Function.h"
#include "tables/AidTable.h"
#include "tables/CaPublicKeyTable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

// Result timers armed by the download worker as its last action.
constexpr UINT_PTR TIMER_DOWNLOAD_OK = 10000;
constexpr UINT_PTR TIMER_DOWNLOAD_FAILED = 10001;

// SendCommand refuses data longer than this, a negative length, or missing data,
// without sending anything; its result is then kSendCommandRefused, which differs
// from every result of the reader-link library.
constexpr int kMaxCommandDataLength = 99999;
constexpr int kSendCommandRefused = -1;

// The main window (template 102). It owns all state of the program; operations of
// the other subsystems are defined in their own folders.
class CBrimletDlg : public CDialog {
public:
    explicit CBrimletDlg(CWnd* parent = nullptr);
    ~CBrimletDlg() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;

    // Notices and the end of a download.
    void ShowNotice(const std::string& text);
    void DisableMainControls();
    void EnableMainControls();
    void ClearLog();
    void OnAdminPasswordChange(); // button 1023, admin/AdminPasswordFlow.cpp

    // Firmware file lookup (app/FirmwareFile.cpp) and the manual (app/Manual.cpp).
    void FindFirmwareFile();
    std::int32_t CheckFirmwareFile(); // 0 when the file to send reads, 1 otherwise
    void BrowseFirmwareFile();        // button 1009
    // The file dialog's choice: taken only when it is a RIVI file.
    void UseChosenFirmwareFile(const std::string& path);
    void OpenManual(); // button 1062

    // Command exchange and traffic log (reader/CommandExchange.cpp).
    using CDialog::SendCommand;
    std::int32_t SendCommand(unsigned char code, const unsigned char* data, int dataLength);
    void AddLogLine(const std::string& text);

    // Port selection (app/PortSelection.cpp).
    void SetUpPortLists();
    void EnumeratePorts();
    int OpenSelectedPort(); // 1 when the port opened
    void ClosePort();

    // Reader detection (reader/Detection.cpp): ProbePort and DetectReader give 0
    // (nothing usable), 1 (a reader refused), 2 (RIVI application firmware) or 3
    // (boot loader with its model name settled).
    std::string ReadReaderInfo(int port);
    int ProbePort(int port);
    int DetectReader();

    // Version query (reader/VersionQuery.cpp), mode 0 to 5.
    std::int32_t QueryVersion(int mode);

    ReaderState reader;

    // 1 while a download runs: notices then go into the notice dialog instead of
    // message boxes.
    std::int32_t noticeMode = 0;
    // Created by the first notice of the first download and kept until the end.
    std::unique_ptr<CInprogressDlg> noticeDialog;

    CComboBox portCombo;
    CButton openButton;
    CComboBox baudCombo;
    CListBox logList;
    CEdit keyFileField;
    CEdit firmwareFileField;
    CButton transferButton;
    CProgressCtrl progressBar;
    CEdit progressCounter;
    CStatic bannerLine;
    CStatic statusLine;
    CStatic readerInfoLine;
    CEdit portNumberField;
    CEdit modelNameField;

    // Banner and status line in the large face, the reader information in the small.
    CFont largeFont;
    CFont smallFont;
    CAboutDlg aboutBox;

    // Download (download/): the transfer button's handler, its worker and the
    // sequence, the authentication phases and steps, the transfer phase.
    void StartDownload(); // button 1005
    static int DownloadWorker(CBrimletDlg* mainWindow);
    int RunDownload(); // 1 when the firmware was sent and its version read back
    int AuthenticateApplication();
    int AuthenticateBootLoader();
    // 1 when the system's random source fails: nothing predictable is sent then.
    std::int32_t DeriveAuthKeys();
    std::int32_t AuthStep1();
    std::int32_t AuthStep2();
    std::int32_t AuthStep3();
    std::int32_t ProveDownloadKey();
    std::int32_t SendDownloadKey(int mode); // reader/DownloadKeyCommands.cpp
    std::int32_t LoadFirmwareImage();       // length, or -1 when the file is refused
    int RunTransferPhase();                 // 1 on success
    bool AwaitReaderRestart();

    CFunction function;
    // The payment-scheme tables, filled once at start-up; nothing reads them.
    CaPublicKeyTable caPublicKeyTable{};
    AidTable aidTable{};
    std::string firmwarePath;
    std::unique_ptr<unsigned char[]> imageBuffer;
    DWORD downloadStartTicks = 0;
    // Declared last, so it is joined before any other member goes.
    std::jthread downloadThread;

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    void OnKeyFileButton();
    void OnOpenButton();
    void OnRefreshButton();
    void OnAutoSearchCheck();
    void OnReaderInfoButton(); // reader/InfoCommands.cpp
    void OnVersionButton();
    void OnDebugLevelButton();
    void SetMainControlsEnabled(BOOL enable);
};
