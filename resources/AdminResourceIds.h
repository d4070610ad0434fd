#pragma once

// Resource ids of the administrator password dialogs and their controls.

constexpr int IDD_LOGIN = 129;
constexpr int IDD_SET_ADMIN1 = 130;
constexpr int IDD_SET_ADMIN2 = 131;

// Login: the current passwords of ADMIN 1 and ADMIN 2
constexpr int IDC_LOGIN_FIRST_PASSWORD = 1021;
constexpr int IDC_LOGIN_SECOND_PASSWORD = 1022;

// Both change dialogs
constexpr int IDC_CURRENT_PASSWORD = 1025;
constexpr int IDC_NEW_PASSWORD = 1026;
constexpr int IDC_CONFIRM_PASSWORD = 1027;
constexpr int IDC_NEXT_BUTTON = 1030;
