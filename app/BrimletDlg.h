#pragma once

#include "app/AboutDlg.h"
#include "app/InprogressDlg.h"
#include "app/SeamClock.h"
#include "core/FirmwareLookup.h"
#include "core/VexilonLink.h"
#include "download/DownloadSequence.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Font.h"
#include "framework/LogFile.h"
#include "reader/ReaderSession.h"
#include "tables/AidTable.h"
#include "tables/CaPublicKeyTable.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

// Result timers armed by the download worker as its last action.
constexpr UINT_PTR TIMER_DOWNLOAD_OK = 10000;
constexpr UINT_PTR TIMER_DOWNLOAD_FAILED = 10001;

// The main window (template 102). The reader session (reader/) and the download
// (download/) hold the logic and report through DownloadView, which the window
// implements; the window runs the download on its worker thread.
class CBrimletDlg : public CDialog, public DownloadView {
public:
    // link: the reader-link library itself unless a test plays the reader.
    explicit CBrimletDlg(CWnd* parent = nullptr, ReaderLink link = VexilonReaderLink());
    ~CBrimletDlg() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;

    // Notices and the end of a download.
    void ShowNotice(const std::string& text) override;
    void DisableMainControls();
    void EnableMainControls();
    void ClearLog() override;
    void OnAdminPasswordChange(); // button 1023, hidden

    // Firmware file lookup (app/FirmwareFile.cpp) and the manual (app/Manual.cpp).
    void FindFirmwareFile(const std::string& modelName);
    FirmwareChoice LookUpFirmwareFile(const std::string& modelName,
                                      const std::optional<std::string>& chosenFile) override;
    void BrowseFirmwareFile(); // button 1009
    // The file dialog's choice: taken only when it is a RIVI file.
    void UseChosenFirmwareFile(const std::string& path);
    void OpenManual(); // button 1062

    // Port selection (app/PortSelection.cpp).
    void SetUpPortLists();
    void EnumeratePorts();
    bool OpenSelectedPort();
    void ClosePort();

    // The download (app/DownloadStart.cpp): the transfer button's handler and its worker.
    void StartDownload(); // button 1005
    static int DownloadWorker(CBrimletDlg* mainWindow, ReaderRequest request);
    // The search settings and the model name as the technician left them.
    ReaderRequest TechnicianRequest();

    // What the reader session and the download see of the window (app/WindowViews.cpp).
    void AppendLogLine(const std::string& line) override;
    void SelectLastLogLine() override;
    void ShowMessage(const std::string& text) override;
    bool ConfirmModelName(const std::string& question) override;
    void ShowModelName(const std::string& name) override;
    std::string TypedDebugLevel() override;
    void SetStatus(const std::string& text) override;
    void SetReaderInfo(const std::string& text) override;
    void PortClosed() override;
    void SetProgressRange(std::int32_t total) override;
    void SetProgressPosition(std::int32_t position) override;
    void SetProgressCounter(const std::string& text) override;
    void ShowWindowMessage(const std::string& text) override;
    void DownloadCompleted() override;
    void ReaderMayLeaveApplication() override {}
    void RecordFault(const std::string& description) override;
    void DownloadFailed(Outcome outcome) override;

    // Every log line, status, notice, message and result, kept after the window closes.
    std::unique_ptr<LogFile> logFile;
    SeamClock clock;
    ReaderSession reader;
    DownloadSequence download;
    // Bound to the check box "포트 자동 검색" (the data exchange takes an int); on at start.
    int autoPortSearch = 1;
    // What the name of the file in the firmware field carries, from the lookup that
    // put it there.
    std::string firmwareVersion;

    // How the last download ended and the last notice or box it showed, for its
    // record in the download history; written and read by the download worker.
    Outcome downloadOutcome = Outcome::Unexpected;
    std::string lastShownText;

    // While a download runs, notices go into the notice dialog instead of message boxes.
    bool noticeMode = false;
    // Created by the first notice of the first download and kept until the end.
    std::unique_ptr<CInprogressDlg> noticeDialog;

    CComboBox portCombo;
    CButton openButton;
    CComboBox baudCombo;
    CListBox logList;
    CEdit keyFileField;
    CEdit firmwareFileField;
    FirmwareOrigin firmwareOrigin;
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

    // The payment-scheme tables, filled once at start-up; nothing reads them.
    CaPublicKeyTable caPublicKeyTable{};
    AidTable aidTable{};
    // Declared last, so it is joined before any other member goes.
    std::jthread downloadThread;

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    void OnKeyFileButton();
    void OnOpenButton();
    void OnRefreshButton();
    void OnAutoSearchCheck();
    void OnReaderInfoButton();
    void OnVersionButton();
    void OnDebugLevelButton();
    void SetMainControlsEnabled(BOOL enable);
};
