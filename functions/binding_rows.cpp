#include "functions/binding_rows.h"

namespace tarvos::table {

std::string Num(int x) {
    return std::to_string(x);
}

Entries Range(int from, int to) {
    Entries e;
    for (int i = from; i <= to; ++i) e.push_back(Num(i));
    return e;
}

Entries Texts(const FaceTextTable& ft, int first, int last) {
    Entries e;
    for (int i = first; i <= last; ++i) e.push_back(ft[i]);
    return e;
}

Entries Prepend(std::string first, Entries rest) {
    rest.insert(rest.begin(), std::move(first));
    return rest;
}

Entries Scaled(int from, int to, int scale, int add, const std::string& unit) {
    Entries e;
    for (int i = from; i <= to; ++i) e.push_back(Num(scale * i + add) + unit);
    return e;
}

Entries OffThen1To10(const FaceTextTable& ft) {
    return Prepend(ft[295], Range(1, 10));
}

LoadRule Below(int limit, int def) {
    return LoadRule{0, limit - 1, -1, def};
}

LoadRule Outside(int low, int high, int def) {
    return LoadRule{low, high, def, def};
}

Binding List(std::string name, const char* frame, std::string label, int caption, Field field,
             EntriesFn entries, LoadRule rule, int offset) {
    Binding b;
    b.name = std::move(name);
    b.kind = ControlKind::List;
    b.frame = frame;
    b.captionLabel = std::move(label);
    b.caption = caption;
    b.field = field;
    b.entries = entries;
    b.rule = rule;
    b.offset = offset;
    return b;
}

Binding Check(std::string name, const char* frame, int caption, Field field, bool inverted) {
    Binding b;
    b.name = std::move(name);
    b.kind = ControlKind::Check;
    b.frame = frame;
    b.caption = caption;
    b.field = field;
    b.inverted = inverted;
    return b;
}

Binding CodeText(std::string name, const char* frame, std::string label, int caption,
                 const CodeField& field, std::string tooltip) {
    Binding b;
    b.name = std::move(name);
    b.kind = ControlKind::Text;
    b.frame = frame;
    b.captionLabel = std::move(label);
    b.caption = caption;
    b.field = Byte(field.base);
    b.textRule = TextRule::Code;
    b.codeField = field;
    b.maxLength = field.length;
    b.tooltip = std::move(tooltip);
    return b;
}

Binding Special(Binding b, EncodeFn encode, DecodeFn decode) {
    b.encode = encode;
    b.decode = decode;
    return b;
}

Binding Enables(Binding b, std::vector<std::string> dependents, EnablesFn when) {
    b.enables = std::move(dependents);
    b.enablesWhen = when;
    return b;
}

Binding Coupled(Binding b, CouplingFn coupling) {
    b.coupling = coupling;
    return b;
}

Binding Fixed(Binding b) {
    b.fixedEntries = true;
    return b;
}

}  // namespace tarvos::table
