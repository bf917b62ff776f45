#include "match/sgf_file.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "match/game_replay.h"
#include "solvar/version.h"
#include "text/cp1251.h"

namespace solvar::match {

namespace {

using engine::Node;
using engine::Side;

// --- Writing.

std::string Escaped(std::string_view value) {
  std::string out;
  for (const char c : value) {
    if (c == ']' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

char Letter(int index) { return static_cast<char>(index < 26 ? 'a' + index : 'A' + index - 26); }

std::string Point(Node node) { return {Letter(node.X - 1), Letter(node.Y - 1)}; }

std::string SizeValue(int width, int height) {
  const int columns = width - 1;
  const int rows = height - 1;
  return columns == rows ? std::to_string(columns) : std::to_string(columns) + ":" + std::to_string(rows);
}

std::string SetupProperty(const char* id, const std::vector<PlayedMove>& setup, Side side) {
  std::string values;
  for (const PlayedMove& dot : setup) {
    if (dot.Mover == side) values += "[" + Point(dot.Dot) + "]";
  }
  return values.empty() ? std::string() : id + values;
}

// --- Reading: the main line of the first game tree, as nodes of properties.

struct Property {
  std::string Id;
  std::vector<std::string> Values;
};
using SgfNode = std::vector<Property>;

[[noreturn]] void CutShort() { throw SgfError("the file is cut short", "Файл обрывается посреди партии."); }

class Parser {
 public:
  explicit Parser(std::string_view text) : m_text(text) {}

  std::vector<SgfNode> MainLine() {
    const std::size_t start = m_text.find("(");
    if (start == std::string_view::npos) throw SgfError("no game tree in the file", "Это не файл SGF: в нём нет партии.");
    m_at = start + 1;
    std::vector<SgfNode> line;
    int open = 1;
    for (;;) {
      SkipSpace();
      if (Peek() == ';') {
        ++m_at;
        line.push_back(ReadNode());
      } else if (Peek() == '(') {
        // The first variation goes on with the main line.
        ++m_at;
        ++open;
      } else {
        break;
      }
    }
    SkipRest(open);
    if (line.empty()) throw SgfError("the game tree has no node", "Это не файл SGF: в партии нет ни одного узла.");
    return line;
  }

 private:
  char Peek() const {
    if (m_at >= m_text.size()) CutShort();
    return m_text[m_at];
  }
  void SkipSpace() {
    while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at])) != 0) ++m_at;
  }
  [[noreturn]] void Unexpected() const {
    const std::string at = std::to_string(m_at);
    throw SgfError("unexpected character at " + at, "Файл SGF испорчен: неожиданный знак в позиции " + at + ".");
  }

  SgfNode ReadNode() {
    SgfNode node;
    for (;;) {
      SkipSpace();
      const char c = Peek();
      if (c == ';' || c == '(' || c == ')') return node;
      Property property;
      while (std::isalpha(static_cast<unsigned char>(Peek())) != 0) {
        // Old files may mix lower-case letters into a name; they do not count.
        if (std::isupper(static_cast<unsigned char>(m_text[m_at])) != 0) property.Id += m_text[m_at];
        ++m_at;
      }
      SkipSpace();
      if (Peek() != '[') Unexpected();
      while (Peek() == '[') {
        ++m_at;
        property.Values.push_back(ReadValue());
        SkipSpace();
      }
      node.push_back(std::move(property));
    }
  }

  std::string ReadValue() {
    std::string value;
    for (;;) {
      const char c = Peek();
      ++m_at;
      if (c == ']') return value;
      if (c == '\\') {
        const char next = Peek();
        ++m_at;
        if (next == '\r' || next == '\n') continue;  // a soft line break
        value += next;
      } else {
        value += c;
      }
    }
  }

  // The variations after the main line and the ends of the open trees.
  void SkipRest(int open) {
    while (open > 0) {
      const char c = Peek();
      ++m_at;
      if (c == '[') {
        ReadValue();
      } else if (c == '(') {
        ++open;
      } else if (c == ')') {
        --open;
      }
    }
  }

  std::string_view m_text;
  std::size_t m_at = 0;
};

// --- Reading: what the nodes mean.

const std::string* FirstValue(const SgfNode& node, std::string_view id) {
  for (const Property& property : node) {
    if (property.Id == id && !property.Values.empty()) return &property.Values.front();
  }
  return nullptr;
}

std::string Trimmed(std::string value) {
  const auto space = [](unsigned char c) { return std::isspace(c) != 0; };
  value.erase(value.begin(), std::find_if_not(value.begin(), value.end(), space));
  value.erase(std::find_if_not(value.rbegin(), value.rend(), space).base(), value.end());
  return value;
}

std::string Lower(std::string value) {
  for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return value;
}

std::optional<int> Number(const std::string& text) {
  if (text.empty() || text.size() > 4 || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; })) {
    return std::nullopt;
  }
  return std::stoi(text);
}

void CheckGame(const SgfNode& root) {
  const std::string* game = FirstValue(root, "GM");
  const std::string value = game != nullptr ? Trimmed(*game) : "1";
  if (value != "40") {
    throw SgfError("GM[" + value + "] is not a game of dots (GM[40])",
                   "Это не партия в точки: GM[" + value + "] вместо GM[40].");
  }
}

// SZ is the grid of playable nodes: the field is one larger each way.
void ReadSize(const SgfNode& root, GameRecord& record) {
  const std::string* size = FirstValue(root, "SZ");
  const std::string value = size != nullptr ? Trimmed(*size) : std::string();
  const std::size_t colon = value.find(':');
  const auto columns = Number(Trimmed(value.substr(0, colon)));
  const auto rows = colon == std::string::npos ? columns : Number(Trimmed(value.substr(colon + 1)));
  if (!columns || !rows || !engine::IsAllowedFieldSize(*columns + 1, *rows + 1)) {
    throw SgfError("SZ[" + value + "] is not a field of 15..45 by 15..35 nodes",
                   "Размер поля SZ[" + value + "] вне пределов 15..45 × 15..35.");
  }
  record.FieldWidth = *columns + 1;
  record.FieldHeight = *rows + 1;
}

std::optional<int> LetterIndex(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 26;
  return std::nullopt;
}

std::string MoveName(int number) { return number == 0 ? "set-up dot" : "move " + std::to_string(number); }
std::string RussianMoveName(int number) { return number == 0 ? "Расстановка" : "Ход " + std::to_string(number); }

// A node "xy" (anything after a "." is the enclosure a program drew, which
// the capture scans find again).
Node ReadPoint(std::string value, int number, const GameRecord& record) {
  value = value.substr(0, value.find('.'));
  const auto x = value.size() == 2 ? LetterIndex(value[0]) : std::nullopt;
  const auto y = value.size() == 2 ? LetterIndex(value[1]) : std::nullopt;
  if (!x || !y) {
    throw SgfError(MoveName(number) + ": '" + value + "' is not a node",
                   RussianMoveName(number) + ": «" + value + "» — не точка поля.");
  }
  const Node node{*x + 1, *y + 1};
  if (node.X >= record.FieldWidth || node.Y >= record.FieldHeight) {
    throw SgfError(MoveName(number) + ": '" + value + "' is off the grid",
                   RussianMoveName(number) + ": точка «" + value + "» вне поля.");
  }
  return node;
}

// The points of a set-up list, a rectangle "aa:cc" standing for every node in it.
void ReadSetup(const Property& property, Side side, GameRecord& record) {
  for (const std::string& value : property.Values) {
    const std::size_t colon = value.find(':');
    const Node first = ReadPoint(value.substr(0, colon), 0, record);
    const Node last = colon == std::string::npos ? first : ReadPoint(value.substr(colon + 1), 0, record);
    for (int x = std::min(first.X, last.X); x <= std::max(first.X, last.X); ++x) {
      for (int y = std::min(first.Y, last.Y); y <= std::max(first.Y, last.Y); ++y) {
        record.Setup.push_back(PlayedMove{side, Node{x, y}});
      }
    }
  }
}

void ReadNodes(const std::vector<SgfNode>& line, GameRecord& record) {
  for (const SgfNode& node : line) {
    for (const Property& property : node) {
      const bool setup = property.Id == "AB" || property.Id == "AW";
      const bool move = property.Id == "B" || property.Id == "W";
      if (setup && !record.Moves.empty()) {
        throw SgfError("set-up dots after the first move", "Расстановка точек после первого хода не поддерживается.");
      }
      if (setup) ReadSetup(property, property.Id == "AB" ? Side::Own : Side::Rival, record);
      if (!move) continue;
      for (const std::string& value : property.Values) {
        const int number = static_cast<int>(record.Moves.size()) + 1;
        const Side side = property.Id == "B" ? Side::Own : Side::Rival;
        record.Moves.push_back(PlayedMove{side, ReadPoint(value, number, record)});
      }
    }
  }
}

std::string Text(const SgfNode& root, std::string_view id, bool windows1251) {
  const std::string* value = FirstValue(root, id);
  if (value == nullptr) return std::string();
  return windows1251 ? text::Cp1251ToUtf8(*value) : *value;
}

// Plays the moves to check each lands on a free node of the field.
void CheckByPlaying(const GameRecord& record) {
  try {
    GameReplay replay(record);
  } catch (const ReplayError& error) {
    const std::string point = Point(error.Node());
    if (error.OffField()) {
      throw SgfError(MoveName(error.MoveNumber()) + ": '" + point + "' is off the grid",
                     RussianMoveName(error.MoveNumber()) + ": точка «" + point + "» вне поля.");
    }
    throw SgfError(MoveName(error.MoveNumber()) + ": '" + point + "' is not free",
                   RussianMoveName(error.MoveNumber()) + ": точка «" + point + "» уже занята.");
  }
}

}  // namespace

std::string WriteSgf(const GameRecord& record, const std::string& date) {
  std::string sgf = "(;FF[4]GM[40]CA[UTF-8]AP[" + Escaped(std::string("Сольвар:") + ProgramVersion) + "]";
  sgf += "SZ[" + SizeValue(record.FieldWidth, record.FieldHeight) + "]";
  sgf += "PB[" + Escaped(record.Player1) + "]PW[" + Escaped(record.Player2) + "]";
  sgf += "DT[" + Escaped(date) + "]";
  if (!record.Result.empty()) sgf += "RE[" + Escaped(record.Result) + "]";
  sgf += SetupProperty("AB", record.Setup, Side::Own);
  sgf += SetupProperty("AW", record.Setup, Side::Rival);
  for (std::size_t i = 0; i < record.Moves.size(); ++i) {
    const PlayedMove& move = record.Moves[i];
    sgf += (i % 10 == 0 ? "\n;" : ";") + std::string(move.Mover == Side::Own ? "B" : "W") + "[" + Point(move.Dot) + "]";
  }
  sgf += ")\n";
  return sgf;
}

GameRecord ReadSgf(std::string_view text) {
  const std::vector<SgfNode> line = Parser(text).MainLine();
  const SgfNode& root = line.front();
  CheckGame(root);
  GameRecord record;
  ReadSize(root, record);
  const std::string charset = Lower(Trimmed(Text(root, "CA", false)));
  const bool windows1251 = charset == "windows-1251" || charset == "cp1251";
  record.Player1 = Text(root, "PB", windows1251);
  record.Player2 = Text(root, "PW", windows1251);
  record.Result = Trimmed(Text(root, "RE", windows1251));
  ReadNodes(line, record);
  CheckByPlaying(record);
  return record;
}

}  // namespace solvar::match
