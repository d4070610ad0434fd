#pragma once

// Resource ids of the program: dialog templates, controls, icon and strings.
// The numbers are the ones the reader's service technicians know from the
// window; other folders address controls through these names only.

// Dialog templates
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_BRIMLET_DIALOG = 102;
constexpr int IDD_INPROGRESS = 132;

// Icon and strings
constexpr int IDI_ICON = 128;
constexpr int IDS_ABOUTBOX = 101;

// Command id of the about item appended to the system menu
constexpr int IDM_ABOUTBOX = 16;

// Main window controls
constexpr int IDC_PORT_LABEL = 1000;
constexpr int IDC_PORT_COMBO = 1001;
constexpr int IDC_OPEN_BUTTON = 1002;
constexpr int IDC_REFRESH_BUTTON = 1003;
constexpr int IDC_BAUD_COMBO = 1004;
constexpr int IDC_TRANSFER_BUTTON = 1005;
constexpr int IDC_FIRMWARE_FILE_FIELD = 1008;
constexpr int IDC_FIRMWARE_FILE_BUTTON = 1009;
constexpr int IDC_LOG_LIST = 1014;
constexpr int IDC_KEY_FILE_FIELD = 1016;
constexpr int IDC_KEY_FILE_BUTTON = 1017;
constexpr int IDC_KEY_FILE_LABEL = 1018;
constexpr int IDC_ADMIN_PASSWORD_BUTTON = 1023;
constexpr int IDC_CLEAR_BUTTON = 1043;
constexpr int IDC_VERSION_BUTTON = 1044;
constexpr int IDC_READER_INFO_BUTTON = 1045;
constexpr int IDC_DEBUG_LEVEL_BUTTON = 1046;
constexpr int IDC_PORT_NUMBER_FIELD = 1047;
constexpr int IDC_PROGRESS_BAR = 1048;
constexpr int IDC_PROGRESS_COUNTER = 1049;
constexpr int IDC_READER_INFO_LINE = 1050;
constexpr int IDC_DEBUG_LEVEL_FIELD = 1051;
constexpr int IDC_BANNER_LINE = 1052;
constexpr int IDC_PROCEDURE_TEXT = 1053;
constexpr int IDC_STATUS_LINE = 1054;
constexpr int IDC_AUTO_SEARCH_CHECK = 1056;
constexpr int IDC_PORT_NUMBER_LABEL = 1057;
constexpr int IDC_MODEL_NAME_FIELD = 1061;
constexpr int IDC_MANUAL_BUTTON = 1062;
constexpr int IDC_USB_VERSION_LABEL = 1063;

// Notice dialog controls
constexpr int IDC_NOTICE_OK_BUTTON = 1058;
constexpr int IDC_NOTICE_TEXT = 1059;
