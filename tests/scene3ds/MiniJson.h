// A small JSON reader for the corpus reference files and the inspection
// report: objects, arrays, strings (\uXXXX read as '?'), numbers, true,
// false, null. Throws std::runtime_error with the offset on bad input.
#pragma once

#include <cctype>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> fields;

    bool isNull() const { return type == Type::Null; }
    // The field, or a null value when absent.
    const JsonValue& operator[](const std::string& key) const {
        static const JsonValue none;
        auto found = fields.find(key);
        return found == fields.end() ? none : found->second;
    }
    const JsonValue& operator[](size_t index) const { return items.at(index); }
    size_t size() const { return type == Type::Array ? items.size() : fields.size(); }
};

// Reads one value of s from at on, leaving at past it.
inline JsonValue parseJsonAt(const std::string& s, size_t& at) {
    auto fail = [&](const char* what) {
        throw std::runtime_error(std::string("json: ") + what + " at " + std::to_string(at));
    };
    auto peek = [&] {
        while (at < s.size() && std::isspace(static_cast<unsigned char>(s[at]))) ++at;
        return at < s.size() ? s[at] : '\0';
    };
    auto take = [&](char c) {
        if (peek() != c) fail("unexpected character");
        ++at;
    };
    auto string = [&] {
        take('"');
        std::string out;
        while (at < s.size() && s[at] != '"') {
            char c = s[at++];
            if (c == '\\' && at < s.size()) {
                const char e = s[at++];
                c = e == 'n' ? '\n' : e == 't' ? '\t' : e == 'u' ? '?' : e;
                if (e == 'u') at += 4;
            }
            out += c;
        }
        take('"');
        return out;
    };
    JsonValue v;
    const char c = peek();
    if (c == '{' || c == '[') {
        v.type = c == '{' ? JsonValue::Type::Object : JsonValue::Type::Array;
        ++at;
        for (bool first = true; peek() != (c == '{' ? '}' : ']'); first = false) {
            if (!first) take(',');
            if (c == '[') {
                v.items.push_back(parseJsonAt(s, at));
                continue;
            }
            const std::string key = string();
            take(':');
            v.fields[key] = parseJsonAt(s, at);
        }
        ++at;
    } else if (c == '"') {
        v.type = JsonValue::Type::String;
        v.text = string();
    } else if (s.compare(at, 4, "true") == 0 || s.compare(at, 5, "false") == 0) {
        v.type = JsonValue::Type::Bool;
        v.boolean = c == 't';
        at += v.boolean ? 4 : 5;
    } else if (s.compare(at, 4, "null") == 0) {
        at += 4;
    } else {
        char* end = nullptr;
        v.number = std::strtod(s.c_str() + at, &end);
        if (end == s.c_str() + at) fail("bad value");
        v.type = JsonValue::Type::Number;
        at = static_cast<size_t>(end - s.c_str());
    }
    return v;
}

inline JsonValue parseJson(const std::string& text) {
    size_t at = 0;
    JsonValue root = parseJsonAt(text, at);
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    if (at != text.size()) throw std::runtime_error("json: trailing text at " + std::to_string(at));
    return root;
}
