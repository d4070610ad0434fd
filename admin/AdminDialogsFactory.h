#pragma once

#include "admin/PasswordChangeFlow.h"

#include <functional>
#include <memory>

class CWnd;

// Which dialogs the main window's button 1023 shows: the real modal ones, or
// what a test installs for the life of a ScopedAdminDialogsFactory.
using AdminDialogsFactory = std::function<std::unique_ptr<AdminDialogs>(CWnd* parent)>;

std::unique_ptr<AdminDialogs> MakeAdminDialogs(CWnd* parent);

class ScopedAdminDialogsFactory {
public:
    explicit ScopedAdminDialogsFactory(AdminDialogsFactory factory);
    ~ScopedAdminDialogsFactory();
    ScopedAdminDialogsFactory(const ScopedAdminDialogsFactory&) = delete;
    ScopedAdminDialogsFactory& operator=(const ScopedAdminDialogsFactory&) = delete;

private:
    AdminDialogsFactory previous;
};
