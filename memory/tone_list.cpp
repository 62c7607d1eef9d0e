#include "memory/tone_list.h"

#include "base/failure.h"

namespace tarvos {

std::string NoneTextFor(int language) {
    return language == 1 ? "无" : "None";
}

ToneList::ToneList(int language) {
    names_.reserve(kToneCount);
    names_.push_back(NoneTextFor(language));
    for (auto t : kCtcssTones) names_.emplace_back(t);
    for (auto d : kDcsCodes) names_.push_back("D" + std::string(d) + "N");
    for (auto d : kDcsCodes) names_.push_back("D" + std::string(d) + "I");
}

const std::string& ToneList::operator[](int index) const {
    if (index < 0 || index >= kToneCount) Raise(err::IndexOutOfRange, "tone list index");
    return names_[static_cast<size_t>(index)];
}

int ToneList::indexOf(std::string_view name) const {
    for (int i = 0; i < kToneCount; ++i)
        if (names_[static_cast<size_t>(i)] == name) return i;
    return -1;
}

}  // namespace tarvos
