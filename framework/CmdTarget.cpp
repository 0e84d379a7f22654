#include "CmdTarget.h"

namespace fw {

const CRuntimeClass CCmdTarget::runtimeClass{"CCmdTarget", &CObject::runtimeClass, nullptr};
const MessageMap CCmdTarget::messageMap{nullptr};

const MessageMapEntry* MessageMap::Find(UINT message, WPARAM wParam, LPARAM lParam) const
{
    // Menus send code 0 without a control, button clicks BN_CLICKED (0) from their control, and
    // accelerators code 1 without a control. A control's code 1 is a notification (LBN_SELCHANGE,
    // STN_DBLCLK...), not a command.
    const WORD code = HIWORD(wParam);
    const bool isCommand = message == WM_COMMAND && (code == 0 || (code == 1 && lParam == 0));
    for (const MessageMap* map = this; map; map = map->m_base) {
        for (size_t i = 0; i < map->m_count; ++i) {
            const MessageMapEntry& entry = map->m_entries[i];
            if (entry.message != message)
                continue;
            if (message != WM_COMMAND || (isCommand && entry.commandId == LOWORD(wParam)))
                return &entry;
        }
    }
    return nullptr;
}

bool CCmdTarget::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const MessageMapEntry* entry = GetMessageMap()->Find(message, wParam, lParam);
    if (!entry)
        return false;
    result = entry->handler(*this, wParam, lParam);
    return true;
}

} // namespace fw
