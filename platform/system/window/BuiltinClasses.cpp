#include "platform/system/window/BuiltinClasses.h"

#include "platform/system/CommCtrl.h"
#include "platform/system/controls/ControlClasses.h"
#include "platform/system/controls/combobox/ComboBoxClass.h"
#include "platform/system/controls/listbox/ListBoxClass.h"
#include "platform/system/controls/listview/ListViewClass.h"
#include "platform/system/controls/tab/TabClass.h"
#include "platform/system/window/WindowClass.h"
#include "platform/system/window/WindowTree.h"

#include <cstring>

namespace sys {

void RegisterBuiltinClasses()
{
    RegisterEditButtonStaticClasses();
    RegisterListBoxClass();
    RegisterComboBoxClass();
    RegisterListViewClasses();
    RegisterTabClass();
    // Text is picked with the I-beam; the other controls show the arrow.
    for (const char* name : {kButtonClass, kEditClass, kStaticClass, kListBoxClass, kComboBoxClass, kScrollBarClass,
                             kListViewClass, kHeaderClass, kTabControlClass})
        if (auto c = FindClass(name); c && !c->cursor)
            c->cursor = LoadCursor(nullptr, std::strcmp(name, kEditClass) == 0 ? IDC_IBEAM : IDC_ARROW);
}

} // namespace sys
