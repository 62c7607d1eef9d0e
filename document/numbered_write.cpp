#include "document/numbered_write.h"

#include <algorithm>
#include <charconv>

#include "document/write_preview.h"
#include "functions/function_model.h"
#include "functions/write_prepare.h"
#include "link/fleet_report.h"

namespace tarvos {

namespace {

bool AllDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Numberable(std::string_view box) {
    return std::any_of(std::begin(kNumberableBoxes), std::end(kNumberableBoxes),
                       [&](const char* b) { return box == b; });
}

}  // namespace

int NumberBoxLength(std::string_view box) {
    const int index = FindBinding(box);
    return index < 0 ? 0 : FunctionBindings()[static_cast<size_t>(index)].maxLength;
}

std::string NumberingProblem(const Numbering& n) {
    if (!Numberable(n.box))
        return "cannot number " + n.box + " (txtDtmfIdCode, txtPttBot or txtPttEot)";
    if (!AllDigits(n.start)) return "the first number must be decimal digits: " + n.start;
    const int length = NumberBoxLength(n.box);
    if (static_cast<int>(n.start.size()) > length)
        return n.start + " is longer than " + n.box + " takes (" + std::to_string(length) +
               " characters)";
    if (n.step == 0) return "the step must be 1 or more";
    return {};
}

std::optional<Numbering> ParseNumbering(std::string_view text, std::string* error) {
    auto fail = [&](const std::string& why) -> std::optional<Numbering> {
        if (error) *error = why;
        return std::nullopt;
    };
    const size_t eq = text.find('=');
    if (eq == std::string_view::npos) return fail("numbering is NAME=START[:STEP]");
    Numbering n;
    n.box = std::string(text.substr(0, eq));
    std::string_view rest = text.substr(eq + 1);
    const size_t colon = rest.find(':');
    n.start = std::string(rest.substr(0, colon));
    if (colon != std::string_view::npos) {
        const std::string_view step = rest.substr(colon + 1);
        const auto [end, ec] = std::from_chars(step.data(), step.data() + step.size(), n.step);
        if (ec != std::errc() || end != step.data() + step.size() || !AllDigits(step))
            return fail("the step must be a whole number: " + std::string(step));
    }
    if (const std::string problem = NumberingProblem(n); !problem.empty()) return fail(problem);
    return n;
}

std::string NumberText(const Numbering& n, uint64_t k) {
    uint64_t start = 0;
    const auto [end, ec] = std::from_chars(n.start.data(), n.start.data() + n.start.size(), start);
    if (ec != std::errc() || end != n.start.data() + n.start.size()) return {};
    uint64_t offset = 0, value = 0;
    if (__builtin_mul_overflow(k, n.step, &offset) || __builtin_add_overflow(start, offset, &value))
        return {};
    std::string digits = std::to_string(value);
    if (digits.size() < n.start.size()) digits.insert(0, n.start.size() - digits.size(), '0');
    return digits;
}

NumberedWrite::NumberedWrite(const RadioDocument& doc, std::optional<Numbering> numbering)
    : withChannels_(ImageWithChannels(doc)),
      written_(ImageAsWritten(doc)),
      language_(doc.language()),
      numbering_(std::move(numbering)) {}

link::FleetImage NumberedWrite::operator()(int k) const {
    link::FleetImage given{written_, {}, {}};
    if (!numbering_) return given;
    given.number = NumberText(*numbering_, static_cast<uint64_t>(k));
    if (given.number.empty() ||
        static_cast<int>(given.number.size()) > NumberBoxLength(numbering_->box)) {
        given.refusal = link::FleetReason(link::FleetText::NumberTooLong, language_) + given.number;
        return given;
    }
    // As ImageAsWritten does it, with the number typed in between: a page of its own, loaded
    // from the image, then the write's preparation.
    ByteImage image = withChannels_;
    FunctionModel page(language_);
    page.InitOpt(image);
    page.SetText(image, page.indexOf(numbering_->box), given.number);
    PrepareImageForWrite(page, image);
    given.image = std::move(image);
    return given;
}

}  // namespace tarvos
