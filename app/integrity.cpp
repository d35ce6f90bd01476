#include "app/integrity.h"

#include <vector>

DWORD IntegrityLevel(DWORD processId) {
    DWORD level = MAXDWORD;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    HANDLE token = nullptr;
    if (process && OpenProcessToken(process, TOKEN_QUERY, &token)) {
        DWORD size = 0;
        GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
        std::vector<BYTE> buffer(size ? size : 1);
        auto* label = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data());
        if (size && GetTokenInformation(token, TokenIntegrityLevel, label, size, &size) &&
            IsValidSid(label->Label.Sid) && *GetSidSubAuthorityCount(label->Label.Sid) > 0)
            level = *GetSidSubAuthority(label->Label.Sid, *GetSidSubAuthorityCount(label->Label.Sid) - 1u);
        CloseHandle(token);
    }
    if (process) CloseHandle(process);
    return level;
}
