#include "app/BrimletDlg.h"

#include "framework/ProgramFolder.h"
#include "framework/ShellOpen.h"

// A missing manual or a desktop without a viewer gives no message: the window
// has nothing useful to say about either.
void CBrimletDlg::OpenManual() {
    ShellOpen(GetProgramFolder() + "/FWDownladManual.pdf");
}
