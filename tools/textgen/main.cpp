// Converts the text table's UTF-8 sources (one file per language) into
// Shift-JIS constant arrays for the game.
//
// Source format, one text per line:
//   <id> "<text>"
// with the escapes \n (line feed), \f (typewriter page break, byte 12),
// \xHH (one byte), \" and \\. Lines starting with '#' and empty lines are
// skipped. Every id from 0 to the table size - 1 must appear exactly once.
//
// Usage: textgen ENGLISH.txt JAPANESE.txt OUT.cpp
#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kTextCount = 284;

struct Source {
    std::string path;
    std::vector<std::string> texts = std::vector<std::string>(kTextCount);
    std::vector<bool> present = std::vector<bool>(kTextCount, false);
};

bool ToShiftJis(const std::string& utf8, std::string& out) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::vector<char> in(utf8.begin(), utf8.end());
    std::vector<char> buf(utf8.size() * 2 + 8);
    char* ip = in.data();
    char* op = buf.data();
    size_t il = in.size(), ol = buf.size();
    const size_t r = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || il != 0) return false;
    out.assign(buf.data(), static_cast<size_t>(op - buf.data()));
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ReadSource(Source& src) {
    std::ifstream in(src.path);
    if (!in) {
        std::cerr << "textgen: cannot read " << src.path << "\n";
        return false;
    }
    std::string line;
    int lineNo = 0;
    auto fail = [&](const std::string& what) {
        std::cerr << src.path << ":" << lineNo << ": " << what << "\n";
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#') continue;
        size_t pos = 0;
        int id = 0;
        if (pos >= line.size() || line[pos] < '0' || line[pos] > '9') return fail("a line starts with its id");
        while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') id = id * 10 + (line[pos++] - '0');
        if (id >= kTextCount) return fail("id out of range");
        if (src.present[id]) return fail("id given twice");
        if (line.compare(pos, 2, " \"") != 0 || line.back() != '"' || line.size() < pos + 3)
            return fail("expected: <id> \"<text>\"");
        const std::string body = line.substr(pos + 2, line.size() - pos - 3);
        std::string utf8;
        for (size_t i = 0; i < body.size(); ++i) {
            const char c = body[i];
            if (c == '"') return fail("unescaped double quote");
            if (c != '\\') {
                utf8 += c;
                continue;
            }
            if (++i >= body.size()) return fail("lone backslash");
            switch (body[i]) {
                case 'n': utf8 += '\n'; break;
                case 'f': utf8 += '\f'; break;
                case '"': utf8 += '"'; break;
                case '\\': utf8 += '\\'; break;
                case 'x': {
                    const int hi = i + 1 < body.size() ? HexDigit(body[i + 1]) : -1;
                    const int lo = i + 2 < body.size() ? HexDigit(body[i + 2]) : -1;
                    if (hi < 0 || lo < 0) return fail("\\x needs two hex digits");
                    utf8 += static_cast<char>(hi * 16 + lo);
                    i += 2;
                    break;
                }
                default: return fail("unknown escape");
            }
        }
        std::string sjis;
        if (!ToShiftJis(utf8, sjis)) return fail("text has a character without a Shift-JIS code");
        src.texts[id] = sjis;
        src.present[id] = true;
    }
    for (int id = 0; id < kTextCount; ++id) {
        if (!src.present[id]) {
            std::cerr << src.path << ": text " << id << " is missing\n";
            return false;
        }
    }
    return true;
}

// The printf conversions of a text that take an argument, in order.
std::string Conversions(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {  // a double-byte character: its trail byte may be '%'
            ++i;
            continue;
        }
        if (c != '%') continue;
        size_t j = i + 1;
        while (j < s.size() && (s[j] == '-' || s[j] == '0' || (s[j] >= '1' && s[j] <= '9'))) ++j;
        if (j < s.size() && s[j] != '%') out += s.substr(i, j - i + 1) + " ";
        i = j;
    }
    return out;
}

std::string Literal(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F && c != '?') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        }
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: textgen ENGLISH.txt JAPANESE.txt OUT.cpp\n";
        return 2;
    }
    Source english{argv[1]}, japanese{argv[2]};
    if (!ReadSource(english) || !ReadSource(japanese)) return 1;
    for (int id = 0; id < kTextCount; ++id) {
        if (Conversions(english.texts[id]) != Conversions(japanese.texts[id])) {
            std::cerr << "textgen: text " << id << " has other format conversions in the two languages\n";
            return 1;
        }
    }
    std::ostringstream out;
    out << "// Generated by textgen from data/text: edit the sources there.\n"
        << "#include \"framework/TextTable.h\"\n\n"
        << "static_assert(kTextCount == " << kTextCount << ");\n\n";
    const Source* sources[2] = {&english, &japanese};
    const char* names[2] = {"kTextsEnglish", "kTextsJapanese"};
    for (int lang = 0; lang < 2; ++lang) {
        out << "const char* const " << names[lang] << "[kTextCount] = {\n";
        for (int id = 0; id < kTextCount; ++id) out << "    /* " << id << " */ " << Literal(sources[lang]->texts[id]) << ",\n";
        out << "};\n\n";
    }
    std::ofstream file(argv[3], std::ios::binary);
    file << out.str();
    return file ? 0 : 1;
}
