// A small JSON reader for the corpus reference files and the inspection
// report: objects, arrays, strings (\uXXXX read as '?'), numbers, true,
// false, null. Throws std::runtime_error with the offset on bad input.
#pragma once

#include <cctype>
#include <cstdlib>
#include <cstring>
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

class JsonParser {
public:
    explicit JsonParser(const std::string& text) : s(text) {}

    JsonValue document() {
        JsonValue root = value();
        if (peek() != '\0') fail("trailing text");
        return root;
    }

private:
    const std::string& s;
    size_t at = 0;

    [[noreturn]] void fail(const char* what) const {
        throw std::runtime_error(std::string("json: ") + what + " at " + std::to_string(at));
    }
    // The next character after white space, '\0' at the end.
    char peek() {
        while (at < s.size() && std::isspace(static_cast<unsigned char>(s[at]))) ++at;
        return at < s.size() ? s[at] : '\0';
    }
    bool take(char c, bool required = false) {
        if (peek() != c) {
            if (required) fail("unexpected character");
            return false;
        }
        ++at;
        return true;
    }
    bool word(const char* w) {
        const size_t n = std::strlen(w);
        if (s.compare(at, n, w) != 0) return false;
        at += n;
        return true;
    }
    std::string string() {
        take('"', true);
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
        take('"', true);
        return out;
    }
    JsonValue value() {
        JsonValue v;
        const char c = peek();
        if (take('{')) {
            v.type = JsonValue::Type::Object;
            for (bool first = true; !take('}'); first = false) {
                if (!first) take(',', true);
                std::string key = string();
                take(':', true);
                v.fields[key] = value();
            }
        } else if (take('[')) {
            v.type = JsonValue::Type::Array;
            while (!take(']')) {
                if (!v.items.empty()) take(',', true);
                v.items.push_back(value());
            }
        } else if (c == '"') {
            v.type = JsonValue::Type::String;
            v.text = string();
        } else if (word("true") || word("false")) {
            v.type = JsonValue::Type::Bool;
            v.boolean = c == 't';
        } else if (!word("null")) {
            char* end = nullptr;
            v.number = std::strtod(s.c_str() + at, &end);
            if (end == s.c_str() + at) fail("bad value");
            v.type = JsonValue::Type::Number;
            at = static_cast<size_t>(end - s.c_str());
        }
        return v;
    }
};

inline JsonValue parseJson(const std::string& text) { return JsonParser(text).document(); }
