// The file dialogs' filter: the application's "text|patterns" pairs in the form Qt reads.
#include "widgets/desktop_host.h"

#include <gtest/gtest.h>

namespace tarvos::ui {
namespace {

TEST(QtFilter, ShowsEachPatternOnce) {
    struct Case {
        const char* given;
        const char* qt;
    };
    const Case cases[] = {
        {"Data File(*.dat)|*.dat", "Data File(*.dat)"},
        {"Data File|*.dat", "Data File (*.dat)"},
        {"Pictures|*.png;*.jpg|All(*.*)|*.*", "Pictures (*.png *.jpg);;All(*.*)"},
        {"Old(*.bak)|*.dat", "Old(*.bak) (*.dat)"},
    };
    for (const auto& c : cases) EXPECT_EQ(QtFilter(c.given), c.qt) << c.given;
}

}  // namespace
}  // namespace tarvos::ui
