// A strict RFC 4180 reader for the CSV files the programs write: every line
// ends in CR LF, quotes only around a whole field.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace velox::testing {

// The file must begin with the UTF-8 byte-order mark.
inline std::vector<std::vector<std::string>> ParseCsv(std::string text) {
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF")) << "no byte-order mark";
    text.erase(0, 3);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row(1);
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') row.back() += c;
            else if (i + 1 < text.size() && text[i + 1] == '"') row.back() += text[++i];
            else quoted = false;
        } else if (c == '"' && row.back().empty()) {
            quoted = true;
        } else if (c == ',') {
            row.emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.push_back(std::exchange(row, std::vector<std::string>(1)));
            ++i;
        } else {
            EXPECT_TRUE(c != '"' && c != '\r' && c != '\n') << "stray character at " << i;
            row.back() += c;
        }
    }
    EXPECT_TRUE(!quoted && row == std::vector<std::string>(1)) << "the last line does not end in CR LF";
    return rows;
}

}  // namespace velox::testing
