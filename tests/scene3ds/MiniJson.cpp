#include "MiniJson.h"

#include <cstdlib>
#include <stdexcept>

namespace {
struct Parser {
    const std::string& s;
    size_t at = 0;

    [[noreturn]] void fail(const char* what) {
        throw std::runtime_error(std::string("json: ") + what + " at " + std::to_string(at));
    }
    void skipSpace() {
        while (at < s.size() && (s[at] == ' ' || s[at] == '\n' || s[at] == '\r' || s[at] == '\t')) ++at;
    }
    bool take(char c) {
        skipSpace();
        if (at < s.size() && s[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    void expect(char c) {
        if (!take(c)) fail("unexpected character");
    }
    bool word(const char* w) {
        size_t n = std::string(w).size();
        if (s.compare(at, n, w) != 0) return false;
        at += n;
        return true;
    }
    std::string string() {
        expect('"');
        std::string out;
        while (at < s.size() && s[at] != '"') {
            char c = s[at++];
            if (c == '\\') {
                if (at >= s.size()) fail("bad escape");
                char e = s[at++];
                if (e == 'n') c = '\n';
                else if (e == 't') c = '\t';
                else if (e == 'u') { at += 4; c = '?'; }
                else c = e;
            }
            out += c;
        }
        expect('"');
        return out;
    }
    JsonValue value() {
        skipSpace();
        JsonValue v;
        if (at >= s.size()) fail("unexpected end");
        char c = s[at];
        if (c == '{') {
            ++at;
            v.type = JsonValue::Type::Object;
            if (take('}')) return v;
            do {
                skipSpace();
                std::string key = string();
                expect(':');
                v.fields[key] = value();
            } while (take(','));
            expect('}');
        } else if (c == '[') {
            ++at;
            v.type = JsonValue::Type::Array;
            if (take(']')) return v;
            do v.items.push_back(value());
            while (take(','));
            expect(']');
        } else if (c == '"') {
            v.type = JsonValue::Type::String;
            v.text = string();
        } else if (word("true")) {
            v.type = JsonValue::Type::Bool;
            v.boolean = true;
        } else if (word("false")) {
            v.type = JsonValue::Type::Bool;
        } else if (word("null")) {
        } else {
            char* end = nullptr;
            v.number = std::strtod(s.c_str() + at, &end);
            if (end == s.c_str() + at) fail("bad value");
            v.type = JsonValue::Type::Number;
            at = static_cast<size_t>(end - s.c_str());
        }
        return v;
    }
};
}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const {
    static const JsonValue none;
    auto found = fields.find(key);
    return found == fields.end() ? none : found->second;
}

JsonValue parseJson(const std::string& document) {
    Parser parser{document};
    JsonValue root = parser.value();
    parser.skipSpace();
    if (parser.at != document.size()) parser.fail("trailing text");
    return root;
}
