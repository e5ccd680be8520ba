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

class JsonParser {
public:
    explicit JsonParser(const std::string& document) : s(document) {}

    JsonValue document() {
        JsonValue root = value();
        if (skipSpace() != s.size()) fail("trailing text");
        return root;
    }

private:
    const std::string& s;
    size_t at = 0;

    [[noreturn]] void fail(const char* what) {
        throw std::runtime_error(std::string("json: ") + what + " at " + std::to_string(at));
    }
    size_t skipSpace() {
        while (at < s.size() && std::isspace(static_cast<unsigned char>(s[at]))) ++at;
        return at;
    }
    bool take(char c) {
        if (skipSpace() >= s.size() || s[at] != c) return false;
        ++at;
        return true;
    }
    void expect(char c) {
        if (!take(c)) fail("unexpected character");
    }
    bool word(const char* w) {
        const size_t n = std::char_traits<char>::length(w);
        if (s.compare(at, n, w) != 0) return false;
        at += n;
        return true;
    }
    std::string string() {
        expect('"');
        std::string out;
        while (at < s.size() && s[at] != '"') {
            char c = s[at++];
            if (c == '\\' && at < s.size()) {
                const char e = s[at++];
                c = e == 'n' ? '\n' : e == 't' ? '\t' : e == 'u' ? (at += 4, '?') : e;
            }
            out += c;
        }
        expect('"');
        return out;
    }
    JsonValue value() {
        JsonValue v;
        if (take('{')) {
            v.type = JsonValue::Type::Object;
            if (take('}')) return v;
            do {
                std::string key = string();
                expect(':');
                v.fields[key] = value();
            } while (take(','));
            expect('}');
        } else if (take('[')) {
            v.type = JsonValue::Type::Array;
            if (take(']')) return v;
            do v.items.push_back(value());
            while (take(','));
            expect(']');
        } else if (skipSpace() < s.size() && s[at] == '"') {
            v.type = JsonValue::Type::String;
            v.text = string();
        } else if (word("true")) {
            v.type = JsonValue::Type::Bool;
            v.boolean = true;
        } else if (word("false")) {
            v.type = JsonValue::Type::Bool;
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

inline JsonValue parseJson(const std::string& document) { return JsonParser(document).document(); }
