// A headless desktop for dialog tests, with small test controls that answer
// the dialog manager the way real buttons and edits do, and a message log.
#pragma once

#include "platform/display/HeadlessBackend.h"
#include "platform/system/dialog/Dialog.h"
#include "platform/system/dialog/DialogTemplateBuilder.h"
#include "platform/system/dialog/Resource.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/Desktop.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dlgtest {

// Test push button: DLGC_(UN)DEFPUSHBUTTON from its style, BM_SETSTYLE changes it.
constexpr const char* kButton = "DlgTestButton";
// Test single-line edit: wants characters and arrows, has a selection.
constexpr const char* kEdit = "DlgTestEdit";
// Answers WM_GETDLGCODE with whatever its GWLP_USERDATA holds.
constexpr const char* kCustom = "DlgTestCustom";
// Test radio button.
constexpr const char* kRadio = "DlgTestRadio";

constexpr DWORD kPush = 0x0;
constexpr DWORD kDefPush = 0x1;

struct Logged {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Everything the test controls and test dialog procedures saw.
std::vector<Logged>& Log();
std::vector<Logged> LogOf(UINT message);

// Headless desktop, test classes registered, resources cleared.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs one step per idle wait of a loop; when the steps run out the loop starves.
    void Script(std::vector<std::function<void()>> steps);
    int StepsRun() const { return *m_stepsRun; }

    display::HeadlessBackend m_backend;
    std::shared_ptr<int> m_stepsRun = std::make_shared<int>(0);
};

HWND MakeOwner();
using sys::DialogItem;

} // namespace dlgtest
