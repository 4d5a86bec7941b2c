#include "platform/system/BuiltinClasses.h"

#include "platform/system/ButtonClasses.h"
#include "platform/system/ComboBox.h"
#include "platform/system/CommCtrl.h"
#include "platform/system/ListBox.h"
#include "platform/system/TabControl.h"

namespace sys {

void RegisterBuiltinClasses()
{
    RegisterEditButtonStaticClasses();
    RegisterListBoxClass();
    RegisterComboBoxClass();
    RegisterListViewClasses();
    RegisterTabClass();
}

} // namespace sys
