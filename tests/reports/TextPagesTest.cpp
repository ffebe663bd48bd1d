#include <gtest/gtest.h>

#include <string>

#include "reports/TextPages.h"

namespace qv {
namespace {

TEST(TextPages, PlacesTextAtColumnsAndATabBehindGoesToTheNextLine) {
  TextPages pages;
  pages.Print("Label");
  pages.Tab(10);
  pages.Print("ab");
  pages.Tab(12);  // already there: stays on the line
  pages.Print("cd");
  pages.Tab(3);  // behind: column 3 of the next line
  pages.Print("x");
  pages.EndLine();
  pages.EndLine();
  EXPECT_EQ(pages.Render(), "Label    abcd\n  x\n\n");
}

TEST(TextPages, PagesAreSeparatedByFormFeedsAndAFullPageContinuesOnANewOne) {
  TextPages pages(TextPages::Options{.lines_per_page = 2});
  for (const char* line : {"a", "b", "c"}) {
    pages.Print(line);
    pages.EndLine();
  }
  pages.NewPage();  // the second page is not full: no empty page in between
  pages.Print("d");
  pages.EndLine();
  EXPECT_EQ(pages.Render(), "a\nb\n\fc\n\fd\n");
  EXPECT_EQ(pages.pages().size(), 3U);
}

TEST(TextPages, CopiesOnlyWhenThePrinterMakesThem) {
  TextPages refusing;
  EXPECT_FALSE(refusing.SetCopies(3));
  EXPECT_EQ(refusing.copies(), 1);

  TextPages copying(TextPages::Options{.prints_copies = true});
  ASSERT_TRUE(copying.SetCopies(2));
  copying.Print("r");
  copying.EndLine();
  EXPECT_EQ(copying.Render(), "r\n\fr\n") << "each copy starts on a new page";
}

TEST(TextPages, TextAfterTheEndStartsANewDocument) {
  TextPages pages;
  pages.Print("old");
  ASSERT_TRUE(pages.EndDoc().ok());
  EXPECT_EQ(pages.Render(), "old\n");
  pages.Print("new");
  EXPECT_FALSE(pages.ended());
  EXPECT_EQ(pages.Render(), "new\n");
}

}  // namespace
}  // namespace qv
