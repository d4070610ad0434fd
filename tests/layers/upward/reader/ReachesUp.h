// A reader header that reaches up into the window: the layer check must refuse it.
#include "app/BrimletDlg.h"
