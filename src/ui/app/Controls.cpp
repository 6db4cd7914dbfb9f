#include "ui/app/Controls.h"

#include <algorithm>
#include <stdexcept>

#include "editor/model/NumberText.h"

namespace velox::app {

ControlState& ControlSet::Add(const std::string& name, ControlState initial) {
    auto [it, added] = controls_.emplace(name, std::move(initial));
    if (!added) throw std::logic_error("control added twice: " + name);
    names_.emplace(&it->second, &it->first);
    return it->second;
}

ControlState& ControlSet::Find(std::string_view name) {
    const auto it = controls_.find(name);
    if (it == controls_.end()) throw std::out_of_range("no control " + std::string(name));
    return it->second;
}

const ControlState& ControlSet::operator[](std::string_view name) const {
    const auto it = controls_.find(name);
    if (it == controls_.end()) throw std::out_of_range("no control " + std::string(name));
    return it->second;
}

bool ControlSet::Has(std::string_view name) const { return controls_.find(name) != controls_.end(); }

void ControlSet::Mark(const ControlState& c) {
    const std::string& name = *names_.at(&c);
    if (std::find(pending_.Controls.begin(), pending_.Controls.end(), name) == pending_.Controls.end())
        pending_.Controls.push_back(name);
}

namespace {
template <class T>
bool Assign(T& member, const T& value) {
    if (member == value) return false;
    member = value;
    return true;
}
}  // namespace

// A field whose text is set has its caret at the end, nothing selected.
void ControlSet::SetText(ControlState& c, std::string_view text) {
    if (c.Text == text) return;
    c.Text.assign(text);
    c.SelStart = CodePoints(c.Text);
    c.SelLength = 0;
    Mark(c);
}

std::int32_t CodePoints(std::string_view text) {
    std::int32_t n = 0;
    for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}
void ControlSet::SetEnabled(ControlState& c, bool enabled) {
    if (Assign(c.Enabled, enabled)) Mark(c);
}
void ControlSet::SetChecked(ControlState& c, bool checked) {
    if (Assign(c.Checked, checked)) Mark(c);
}
void ControlSet::SetVisible(ControlState& c, bool visible) {
    if (Assign(c.Visible, visible)) Mark(c);
}
void ControlSet::SetLeft(ControlState& c, std::int32_t left) {
    if (Assign(c.Left, left)) Mark(c);
}
void ControlSet::SetItemIndex(ControlState& c, std::int32_t index) {
    if (Assign(c.ItemIndex, index)) Mark(c);
}
void ControlSet::SetValue(ControlState& c, std::int32_t value) {
    if (Assign(c.Value, value)) Mark(c);
}
void ControlSet::Select(ControlState& c, std::int32_t start, std::int32_t length) {
    const bool a = Assign(c.SelStart, start);
    if (Assign(c.SelLength, length) || a) Mark(c);
}

Changes ControlSet::Take() {
    Changes out = std::move(pending_);
    pending_ = Changes{};
    return out;
}

void AppendJsonString(std::string& out, std::string_view s) {
    out += '"';
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20) {
            out += "\\u00";
            out += "0123456789abcdef"[c >> 4];
            out += "0123456789abcdef"[c & 15];
        } else {
            out += ch;
        }
    }
    out += '"';
}

std::string ControlSet::Dump() const {
    std::string out = "{\n";
    bool first = true;
    for (const auto& [name, c] : controls_) {
        if (!first) out += ",\n";
        first = false;
        out += "  ";
        AppendJsonString(out, name);
        out += ": {\"text\": ";
        const std::size_t lead = c.Text.find_first_not_of(' ');
        AppendJsonString(out, lead == std::string::npos ? std::string_view() : std::string_view(c.Text).substr(lead));
        out += std::string(", \"enabled\": ") + (c.Enabled ? "true" : "false");
        out += std::string(", \"checked\": ") + (c.Checked ? "true" : "false");
        out += std::string(", \"visible\": ") + (c.Visible ? "true" : "false");
        out += ", \"left\": " + FormatInteger(c.Left);
        out += ", \"item\": " + FormatInteger(c.ItemIndex);
        out += ", \"value\": " + FormatInteger(c.Value);
        out += ", \"selected\": " + FormatInteger(c.SelLength) + "}";
    }
    out += "\n}\n";
    return out;
}

std::int32_t FixedMeasure::MainWidth(std::string_view text) const {
    std::int32_t width = 0;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte of a UTF-8 sequence
        width += c == ' ' ? blank_ : char_;
    }
    return width;
}

namespace {
template <class T>
bool PopFront(std::vector<T>& queue, T& front) {
    if (queue.empty()) return false;
    front = std::move(queue.front());
    queue.erase(queue.begin());
    return true;
}
}  // namespace

bool QueuedAsker::Answer(app::Answer answer) {
    Question q;
    if (!PopFront(questions, q)) return false;
    if (q.Then) q.Then(answer);
    return true;
}

bool QueuedAsker::Choose(std::optional<std::string> name, std::int32_t filterIndex) {
    FileChoice c;
    if (!PopFront(choices, c)) return false;
    c.Then(std::move(name), filterIndex > 0 ? filterIndex : c.FilterIndex);
    return true;
}

bool QueuedAsker::CloseDialog(DialogResult result, const CavityDialogTexts& texts, bool deleteConfirmed) {
    CavityDialogRequest r;
    if (!PopFront(dialogs, r)) return false;
    r.Then(result, texts, deleteConfirmed);
    return true;
}

}  // namespace velox::app
