#include "CmdTarget.h"

namespace fw {

const CRuntimeClass CCmdTarget::runtimeClass{"CCmdTarget", &CObject::runtimeClass, nullptr};
const MessageMap CCmdTarget::messageMap{nullptr, {}};

const MessageMapEntry* MessageMap::Find(UINT message, WPARAM wParam) const
{
    // Commands from menus and accelerators carry code 1, button clicks BN_CLICKED (0); other
    // notifications are not commands.
    const bool isCommand = message == WM_COMMAND && HIWORD(wParam) <= 1;
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
    const MessageMapEntry* entry = GetMessageMap()->Find(message, wParam);
    if (!entry)
        return false;
    result = entry->handler(*this, wParam, lParam);
    return true;
}

} // namespace fw
