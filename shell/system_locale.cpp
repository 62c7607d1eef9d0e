#include "shell/system_locale.h"

#include <cstdlib>
#include <string>

namespace tarvos::ui {

int LocaleIdFromName(std::string_view name) {
    std::string tag(name.substr(0, name.find_first_of(".@")));
    for (char& c : tag)
        if (c == '-') c = '_';
    struct Known {
        const char* tag;
        int id;
    };
    static const Known known[] = {{"zh_CN", 2052}, {"zh_SG", 2052}, {"zh_TW", 1028},
                                  {"zh_HK", 1028}, {"zh_MO", 1028}, {"en_US", 1033},
                                  {"en_GB", 2057}, {"ja_JP", 1041}, {"de_DE", 1031},
                                  {"fr_FR", 1036}, {"ko_KR", 1042}, {"ru_RU", 1049}};
    for (const Known& k : known)
        if (tag == k.tag) return k.id;
    return 1041;
}

int SystemLocaleId() {
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(var);
        if (v && *v) return LocaleIdFromName(v);
    }
    return LocaleIdFromName("");
}

int LanguageFromLocaleId(int lcid) {
    if (lcid == 2052) return 1;
    if (lcid == 1028) return 2;
    return 3;
}

}  // namespace tarvos::ui
