// Window tests run without a person: a setup dialog the window opens by itself
// (no location yet) is cancelled at once instead of waiting modally.
#include <QDialog>

#include "mainwindow/Unit01.h"
#include "setup/WxSetup.h"

namespace {
const bool installed = [] {
    TWxForm::DefaultSetupExec() = [](TWxSetupDlg &) { return static_cast<int>(QDialog::Rejected); };
    return true;
}();
}  // namespace
