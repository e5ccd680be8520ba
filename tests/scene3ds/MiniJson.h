// A small JSON reader for the corpus reference files: objects, arrays,
// strings (escapes \" \\ \/ \n \t \uXXXX as '?'), numbers, true, false, null.
#pragma once

#include <map>
#include <memory>
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
    const JsonValue& operator[](const std::string& key) const;
    const JsonValue& operator[](size_t index) const { return items.at(index); }
    size_t size() const { return type == Type::Array ? items.size() : fields.size(); }
};

// Parses a whole document; throws std::runtime_error with the offset on bad input.
JsonValue parseJson(const std::string& document);
