#include <gtest/gtest.h>

#include "platform/automation/script.h"

namespace corvena::automation {
namespace {

using Words = std::vector<std::string>;

TEST(ScriptParser, SplitsOnBlanksAndKeepsQuotedBlanks) {
  EXPECT_EQ(splitWords("set  cName\t\"Acme  Stores\"", 1), (Words{"set", "cName", "Acme  Stores"}));
}

TEST(ScriptParser, BackslashInsideQuotesTakesTheNextCharacter) {
  EXPECT_EQ(splitWords(R"(set cNote "say \"hi\" \\ bye")", 1),
            (Words{"set", "cNote", R"(say "hi" \ bye)"}));
}

TEST(ScriptParser, BackslashOutsideQuotesIsPlain) {
  EXPECT_EQ(splitWords(R"(set cPath C:\help\x)", 1), (Words{"set", "cPath", R"(C:\help\x)"}));
}

TEST(ScriptParser, EmptyQuotesAreAnEmptyValue) {
  const auto cmd = parseCommand("set cRef \"\"", 3);
  ASSERT_TRUE(cmd);
  EXPECT_EQ(cmd->args, (Words{"cRef", ""}));
}

TEST(ScriptParser, AHashStartsACommentOnlyAtTheStartOfAWord) {
  EXPECT_EQ(splitWords("expect cRef A#1 # the reference", 1), (Words{"expect", "cRef", "A#1"}));
  EXPECT_EQ(splitWords("expect cRef \"# not a comment\"", 1),
            (Words{"expect", "cRef", "# not a comment"}));
}

TEST(ScriptParser, BlankAndCommentLinesAreNoCommands) {
  EXPECT_FALSE(parseCommand("", 1));
  EXPECT_FALSE(parseCommand("   \t\r", 1));
  EXPECT_FALSE(parseCommand("# set cName x", 1));
}

TEST(ScriptParser, AnUnclosedQuoteIsAnErrorOnItsLine) {
  try {
    parseScript("save\nset cName \"open\n");
    FAIL() << "unclosed quote accepted";
  } catch (const ScriptError& e) {
    EXPECT_EQ(e.line(), 2);
    EXPECT_EQ(e.message(), "unclosed quote");
  }
}

TEST(ScriptParser, AnUnknownCommandNamesItselfAndItsLine) {
  try {
    parseScript("# header\n\nset cName x\npush cSave\n");
    FAIL() << "unknown command accepted";
  } catch (const ScriptError& e) {
    EXPECT_EQ(e.line(), 4);
    EXPECT_EQ(e.message(), "unknown command: push");
    EXPECT_STREQ(e.what(), "line 4: unknown command: push");
  }
}

TEST(ScriptParser, CommandsAreLowerCase) {
  EXPECT_THROW(parseCommand("SAVE", 1), ScriptError);
}

TEST(ScriptParser, MissingArgumentsAreNamedWithTheUsage) {
  try {
    parseCommand("expect cName", 7);
    FAIL() << "missing argument accepted";
  } catch (const ScriptError& e) {
    EXPECT_EQ(e.line(), 7);
    EXPECT_EQ(e.message(), "missing arguments, expected: expect CONTROL VALUE");
  }
}

TEST(ScriptParser, AnUnquotedValueWithBlanksIsTooManyArguments) {
  EXPECT_THROW(parseCommand("set cName Acme Stores", 1), ScriptError);
  EXPECT_THROW(parseCommand("save now", 1), ScriptError);
}

TEST(ScriptParser, LevelsAreNumbers) {
  EXPECT_EQ(parseCommand("delete 1", 1)->level(), 1);
  EXPECT_EQ(parseCommand("first 0", 1)->kind, CommandKind::First);
  EXPECT_EQ(parseCommand("new 0", 1)->kind, CommandKind::New);
  EXPECT_THROW(parseCommand("new", 1), ScriptError);
  EXPECT_THROW(parseCommand("next header", 1), ScriptError);
  EXPECT_THROW(parseCommand("last -1", 1), ScriptError);
}

TEST(ScriptParser, LineTakesANumberFromOneOrNew) {
  EXPECT_EQ(parseCommand("line Spread1 3", 1)->lineNumber(), 3);
  EXPECT_EQ(parseCommand("line Spread1 new", 1)->lineNumber(), 0);
  EXPECT_THROW(parseCommand("line Spread1 0", 1), ScriptError);
  EXPECT_THROW(parseCommand("line Spread1 last", 1), ScriptError);
}

TEST(ScriptParser, AnswersAreYesOrNo) {
  EXPECT_TRUE(parseCommand("answer yes", 1)->yes());
  EXPECT_FALSE(parseCommand("answer no", 1)->yes());
  EXPECT_THROW(parseCommand("answer maybe", 1), ScriptError);
}

TEST(ScriptParser, AWholeScriptKeepsLineNumbers) {
  const auto cmds = parseScript("set cA 1\r\n\n# c\nclick cmdGo\nsave");
  ASSERT_EQ(cmds.size(), 3u);
  EXPECT_EQ(cmds[0].line, 1);
  EXPECT_EQ(cmds[0].args, (Words{"cA", "1"}));
  EXPECT_EQ(cmds[1].line, 4);
  EXPECT_EQ(cmds[1].kind, CommandKind::Click);
  EXPECT_EQ(cmds[2].line, 5);
  EXPECT_EQ(cmds[2].kind, CommandKind::Save);
}

TEST(ScriptParser, WordsWrittenBackParseToTheSameValue) {
  for (std::string value : {"plain", "two words", "", "#hash", R"(q"uo\te)"}) {
    const auto cmd = parseCommand("expect cX " + scriptWord(value), 1);
    ASSERT_TRUE(cmd);
    EXPECT_EQ(cmd->args[1], value);
  }
}

}  // namespace
}  // namespace corvena::automation
