#include "platform/system/BuiltinClasses.h"

#include "platform/system/ButtonClasses.h"
#include "platform/system/ComboBox.h"
#include "platform/system/CommCtrl.h"
#include "platform/system/ListBox.h"
#include "platform/system/TabControl.h"
#include "platform/system/WindowClass.h"
#include "platform/system/WindowTree.h"

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
