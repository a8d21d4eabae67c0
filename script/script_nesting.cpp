#include "script/script_nesting.h"

#include <cstring>
#include <string>
#include <vector>

namespace vek {
namespace {

// The assignment operators, which nest to their right (a = b = c), longest
// first so that the longest operator at a place is taken.
constexpr const char* kOperators[] = {
    ">>>=", "<<=", ">>=", "**=", ">>>", "==", "!=", "<=", ">=", "+=", "-=", "*=", "/=",
    "%=",   "&=",  "|=",  "^=",  "<<",  ">>", "**", "&&", "||", "^^", "++", "--", "::",
};
constexpr const char* kAssignments[] = {"=",  ">>>=", "<<=", ">>=", "**=", "+=", "-=",
                                        "*=", "/=",   "%=",  "&=",  "|=",  "^="};

struct Token {
  std::string text;  // a word or an operator; empty at the end of the code
  ScriptPosition position;
};

// Splits code into words and operators, passing over white space, comments
// and string constants.
class Lexer {
 public:
  Lexer(const char* code, std::size_t length) : code_(code), length_(length) {}

  Token next() {
    skipSpaceCommentsAndStrings();
    Token token{std::string(), here()};
    if (at_ >= length_) return token;
    if (isWordByte(code_[at_])) {
      std::size_t start = at_;
      while (at_ < length_ && isWordByte(code_[at_])) advance();
      token.text.assign(code_ + start, at_ - start);
      return token;
    }
    for (const char* op : kOperators) {
      std::size_t size = std::strlen(op);
      if (length_ - at_ >= size && std::memcmp(code_ + at_, op, size) == 0) {
        for (std::size_t i = 0; i < size; ++i) advance();
        token.text = op;
        return token;
      }
    }
    token.text = std::string(1, code_[at_]);
    advance();
    return token;
  }

  Token peek() {
    Lexer copy = *this;
    return copy.next();
  }

 private:
  static bool isWordByte(char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || byte == '_' || (byte >= '0' && byte <= '9') ||
           (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
  }

  ScriptPosition here() const { return {line_, static_cast<int>(at_ - lineStart_) + 1}; }

  void advance() {
    if (code_[at_] == '\n') {
      ++line_;
      lineStart_ = at_ + 1;
    }
    ++at_;
  }

  bool startsWith(const char* text) const {
    std::size_t size = std::strlen(text);
    return length_ - at_ >= size && std::memcmp(code_ + at_, text, size) == 0;
  }

  // Moves past end, or to the end of the code when it does not come.
  void skipPast(const char* end) {
    while (at_ < length_ && !startsWith(end)) advance();
    for (std::size_t i = 0; i < std::strlen(end) && at_ < length_; ++i) advance();
  }

  void skipQuoted(char quote) {
    advance();
    while (at_ < length_ && code_[at_] != quote) {
      if (code_[at_] == '\\' && at_ + 1 < length_) advance();
      advance();
    }
    if (at_ < length_) advance();
  }

  void skipSpaceCommentsAndStrings() {
    while (at_ < length_) {
      char c = code_[at_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
        advance();
      } else if (startsWith("//")) {
        skipPast("\n");
      } else if (startsWith("/*")) {
        skipPast("*/");
      } else if (startsWith("\"\"\"")) {
        for (int i = 0; i < 3; ++i) advance();
        skipPast("\"\"\"");
      } else if (c == '"' || c == '\'') {
        skipQuoted(c);
      } else {
        return;
      }
    }
  }

  const char* code_;
  std::size_t length_;
  std::size_t at_ = 0;
  std::size_t lineStart_ = 0;
  int line_ = 1;
};

// What holds one level of nesting open.
enum class Level : unsigned char {
  Paren,
  Bracket,
  Brace,
  If,          // an if statement, until its statement ends and no else follows
  IfElse,      // an if statement that has reached its else
  Loop,        // while, for or switch, until its statement ends
  Do,          // a do statement, until its statement ends
  DoCondition, // a do statement's "while (...);"
  Expression,  // a conditional expression or an assignment, until the expression ends
};

class NestingScanner {
 public:
  NestingScanner(const char* code, std::size_t length, int limit)
      : lexer_(code, length), limit_(limit) {}

  std::optional<ScriptPosition> run() {
    for (Token token = lexer_.next(); !token.text.empty(); token = lexer_.next()) {
      take(token);
      if (static_cast<int>(levels_.size()) > limit_) return token.position;
    }
    return std::nullopt;
  }

 private:
  void take(const Token& token) {
    const std::string& t = token.text;
    if (t == "(") {
      levels_.push_back(Level::Paren);
    } else if (t == "[") {
      levels_.push_back(Level::Bracket);
    } else if (t == "{") {
      levels_.push_back(Level::Brace);
    } else if (t == ")") {
      close(Level::Paren);
    } else if (t == "]") {
      close(Level::Bracket);
    } else if (t == "}") {
      if (close(Level::Brace)) statementEnded();
    } else if (t == ";") {
      endExpressions();
      if (levels_.empty() || (levels_.back() != Level::Paren && levels_.back() != Level::Bracket)) {
        statementEnded();
      }
    } else if (t == ",") {
      endExpressions();
    } else if (t == "?" || isAssignment(t)) {
      levels_.push_back(Level::Expression);
    } else if (t == "if") {
      levels_.push_back(Level::If);
    } else if (t == "while") {
      if (levels_.empty() || levels_.back() != Level::DoCondition) levels_.push_back(Level::Loop);
    } else if (t == "for" || t == "switch") {
      levels_.push_back(Level::Loop);
    } else if (t == "do") {
      levels_.push_back(Level::Do);
    }
  }

  static bool isAssignment(const std::string& text) {
    for (const char* op : kAssignments) {
      if (text == op) return true;
    }
    return false;
  }

  void endExpressions() {
    while (!levels_.empty() && levels_.back() == Level::Expression) levels_.pop_back();
  }

  // Closes the nearest open bracket of that kind with everything opened
  // inside it; false when none is open (the script will not build then).
  bool close(Level bracket) {
    for (std::size_t i = levels_.size(); i-- > 0;) {
      if (levels_[i] == bracket) {
        levels_.resize(i);
        return true;
      }
    }
    return false;
  }

  // A statement has ended: it may be the one an if, a loop or a do governs,
  // which then ends too, and so on outwards; an if followed by else goes on
  // with its else statement, a do with its condition.
  void statementEnded() {
    while (!levels_.empty()) {
      Level& innermost = levels_.back();
      if (innermost == Level::If && lexer_.peek().text == "else") {
        lexer_.next();
        innermost = Level::IfElse;
        return;
      }
      if (innermost == Level::Do) {
        innermost = Level::DoCondition;
        return;
      }
      if (innermost != Level::If && innermost != Level::IfElse && innermost != Level::Loop &&
          innermost != Level::DoCondition) {
        return;
      }
      levels_.pop_back();
    }
  }

  Lexer lexer_;
  int limit_;
  std::vector<Level> levels_;
};

}  // namespace

std::optional<ScriptPosition> findNestingBeyond(const char* code, std::size_t length, int limit) {
  if (!code) return std::nullopt;
  return NestingScanner(code, length, limit).run();
}

}  // namespace vek
