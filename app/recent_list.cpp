// The recent-file list's rules and the file dialogs' start directory and default extension.
#include "app/recent_list.h"

#include <cstring>

#include "resources/ids.h"

namespace {

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

void AsciiUpperText(char* text)
{
    for (; *text != '\0'; ++text) *text = AsciiUpper(*text);
}

bool AsciiSame(const char* a, const char* b)
{
    for (; *a != '\0' && AsciiUpper(*a) == AsciiUpper(*b); ++a, ++b) {
    }
    return AsciiUpper(*a) == AsciiUpper(*b);
}

// Copies text into out of size bytes, cut so the NUL always fits.
void CopyCutText(char* out, size_t size, const char* text)
{
    if (size == 0) return;
    size_t length = 0;
    while (length + 1 < size && text[length] != '\0') ++length;
    std::memcpy(out, text, length);
    out[length] = '\0';
}

}  // namespace

const RecentCaseRules kAsciiCaseRules{AsciiUpperText, AsciiSame};

bool AddRecentName(RecentFileList& list, char* name, const RecentCaseRules& rules)
{
    rules.upper(name);
    for (const char* entry : list) {
        if (rules.same(entry, name)) return false;
    }
    for (int k = kRecentFileCount - 1; k > 0; --k) std::memcpy(list[k], list[k - 1], kRecentNameSize);
    CopyCutText(list[0], kRecentNameSize, name);
    return true;
}

int RecentNamesShown(const RecentFileList& list)
{
    int shown = 0;
    while (shown < kRecentFileCount && list[shown][0] != '\0') ++shown;
    return shown;
}

void FormatRecentLabel(int index, const char* name, char* out, size_t size)
{
    if (size == 0) return;
    const char* text = name;
    if (std::strlen(name) > kRecentLabelFullMax) {
        if (const char* slash = std::strrchr(name, '\\')) text = slash + 1;
    }
    const char prefix[] = {'&', static_cast<char>('1' + index), ' '};
    size_t length = 0;
    for (char c : prefix) {
        if (length + 1 < size) out[length++] = c;
    }
    for (; *text != '\0'; ++text) {
        const size_t needed = *text == '&' ? 2 : 1;
        if (length + needed >= size) break;
        out[length++] = *text;
        if (needed == 2) out[length++] = '&';
    }
    out[length] = '\0';
}

void DialogStartDirectory(const char* lastPath, char* out, size_t size)
{
    if (size == 0) return;
    const char* slash = std::strrchr(lastPath, '\\');
    const size_t keep = slash != nullptr ? static_cast<size_t>(slash - lastPath) + 1 : 0;
    const size_t length = keep < size ? keep : size - 1;
    std::memcpy(out, lastPath, length);
    out[length] = '\0';
}

int DefaultExtensionId(uint32_t filterIndex)
{
    if (filterIndex < 1 || filterIndex > IDS_EXT_HTM - IDS_DEFAULT_EXT_BASE) return 0;
    return IDS_DEFAULT_EXT_BASE + static_cast<int>(filterIndex);
}

void SplitTypeList(char* text)
{
    for (; *text != '\0'; ++text) {
        if (*text == '%') *text = '\0';
    }
}
