#include "framework/VirtualKeys.h"

#include <Qt>

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, UINT>, 17> kNamedKeys{{
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN}, // the keypad's Enter is Return to Windows as well
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_F1, VK_F1},
}};

} // namespace

UINT VirtualKeyFromQtKey(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<UINT>(qtKey); // both use the upper-case ASCII codes
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
    }
    for (const auto& [qt, vk] : kNamedKeys) {
        if (qt == qtKey) {
            return vk;
        }
    }
    return 0;
}

int QtKeyFromVirtualKey(UINT virtualKey) {
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return static_cast<int>(virtualKey);
    }
    if (virtualKey >= VK_F1 && virtualKey < VK_F1 + 12) {
        return Qt::Key_F1 + static_cast<int>(virtualKey - VK_F1);
    }
    for (const auto& [qt, vk] : kNamedKeys) {
        if (vk == virtualKey) {
            return qt; // Return before Enter: the first entry wins
        }
    }
    return 0;
}
