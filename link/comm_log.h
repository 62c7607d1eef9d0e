#pragma once
// The communication window's log list (listRtData): lines are inserted at LogNo, the line
// just inserted becomes the selected one and LogNo moves past it.

#include <string>
#include <vector>

namespace tarvos::link {

struct CommLog {
    std::vector<std::string> lines;
    int selected = -1;  // -1: no line selected
    int LogNo = 0;

    void clear() {
        lines.clear();
        selected = -1;
        LogNo = 0;
    }
    void insert(const std::string& text) {
        if (LogNo < 0 || LogNo > static_cast<int>(lines.size()))
            LogNo = static_cast<int>(lines.size());
        lines.insert(lines.begin() + LogNo, text);
        selected = LogNo;
        ++LogNo;
    }
};

}  // namespace tarvos::link
