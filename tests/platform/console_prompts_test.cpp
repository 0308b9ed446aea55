#include "platform/console_prompts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace kinloom;

TEST(ConsolePrompts, PrintsTextsAndAnswersWithoutAsking) {
    FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    ConsolePrompts prompts(out, PromptAnswer::No);
    prompts.inform(kAppTitle, QStringLiteral("Done \u00e5"));
    EXPECT_FALSE(prompts.errorShown());
    EXPECT_EQ(prompts.message(kAppTitle, "Save?", PromptButtons::YesNoCancel, PromptIcon::Question),
              PromptAnswer::No);
    prompts.error(kAppTitle, "Error: Kinloom did not recognize the file");
    EXPECT_TRUE(prompts.errorShown());
    EXPECT_EQ(prompts.lastError(), "Error: Kinloom did not recognize the file");
    EXPECT_EQ(prompts.messageCount(), 3);
    EXPECT_FALSE(prompts.openFileName({}).has_value());
    EXPECT_FALSE(prompts.inputText("a", "b", "c").has_value());

    std::rewind(out);
    std::string text(256, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), out));
    std::fclose(out);
    EXPECT_EQ(text, "Done \xC3\xA5\nSave?\nError: Kinloom did not recognize the file\n");

    ConsolePrompts yes(nullptr);
    EXPECT_EQ(yes.message("c", "t", PromptButtons::YesNo, PromptIcon::Question), PromptAnswer::Yes);
}
