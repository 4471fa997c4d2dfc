#include "framework/strings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/exceptions.h"
#include "framework/stream.h"

namespace {

std::vector<std::string> Lines(const TStrings& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
  return out;
}

class TCounted : public TObject {
 public:
  explicit TCounted(int* alive) : alive_(alive) { ++*alive_; }
  ~TCounted() override { --*alive_; }

 private:
  int* alive_;
};

TEST(StringListSorted, KeepsCaseInsensitiveOrder) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"paste", "OPEN", "Copy", "cut", "NEWFOLDER", "new", "_under"}) list.Add(s);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"_under", "Copy", "cut", "new", "NEWFOLDER", "OPEN", "paste"}));
  EXPECT_EQ(list.IndexOf("open"), 5);
  EXPECT_EQ(list.IndexOf("missing"), -1);
  int index = -1;
  EXPECT_FALSE(list.Find("delete", index));
  EXPECT_EQ(index, 3);  // where it would go
}

TEST(StringListSorted, SortingLaterOrdersExistingLines) {
  TStringList list;
  list.SetText("b\r\nC\r\na\r\n");
  list.SetSorted(true);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "C"}));
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  try {
    list.SetStrings(0, "z");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "Operation not allowed on sorted string list");
  }
}

TEST(StringListSorted, DuplicatesPolicy) {
  TStringList list;
  list.SetSorted(true);
  TObject first, second;
  EXPECT_EQ(list.AddObject("Item", &first), 0);
  // dupIgnore: the existing line's index, nothing added, object kept.
  EXPECT_EQ(list.AddObject("ITEM", &second), 0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Objects(0), &first);

  list.SetDuplicates(dupError);
  try {
    list.Add("item");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }

  list.SetDuplicates(dupAccept);
  list.Add("zebra");
  EXPECT_EQ(list.AddObject("iTeM", &second), 0);  // before the equal line
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Objects(1), &first);
}

TEST(StringListSorted, CaseSensitiveListTellsCasesApart) {
  TStringList list;
  list.SetSorted(true);
  list.SetCaseSensitive(true);
  list.Add("b");
  list.Add("B");
  list.Add("a");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"B", "a", "b"}));
  EXPECT_EQ(list.IndexOf("A"), -1);
  list.SetCaseSensitive(false);
  EXPECT_EQ(list.IndexOf("A"), 0);
}

TEST(StringListUnsorted, IndexOfIgnoresCaseAndErrorsNameTheIndex) {
  TStringList list;
  list.Add("Alpha");
  list.Add("beta");
  list.Insert(0, "Zero");
  EXPECT_EQ(list.IndexOf("BETA"), 2);
  try {
    list.Strings(3);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.Insert(5, "x"), EListError);
  list.Move(0, 2);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Alpha", "beta", "Zero"}));
  list.Exchange(0, 2);
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Zero", "beta", "Alpha"}));
}

TEST(StringListText, LinesEndWithCrLfAndAnyEndingSplits) {
  TStringList list;
  list.SetText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  list.SetText("\r\n\r\nlast\r\n");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"", "", "last"}));
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
}

TEST(StringListText, CommaTextQuotesWhatNeedsIt) {
  TStringList list;
  list.Add("plain");
  list.Add("two words");
  list.Add("say \"hi\"");
  list.Add("a,b");
  list.Add("");
  EXPECT_EQ(list.CommaText(), "plain,\"two words\",\"say \"\"hi\"\"\",\"a,b\",");
  TStringList back;
  back.SetCommaText(list.CommaText() + "x");
  EXPECT_EQ(Lines(back), (std::vector<std::string>{"plain", "two words", "say \"hi\"", "a,b", "x"}));
  back.SetCommaText(" a b ,c");
  EXPECT_EQ(Lines(back), (std::vector<std::string>{"a", "b", "c"}));
  back.Clear();
  back.Add("");
  EXPECT_EQ(back.CommaText(), "\"\"");
}

TEST(StringListText, NamesAndValues) {
  TStringList list;
  list.SetText("Width=62\r\nAlign=alRight\r\nplain\r\n");
  EXPECT_EQ(list.Values("align"), "alRight");
  EXPECT_EQ(list.Names(0), "Width");
  EXPECT_EQ(list.Names(2), "");
  list.SetValues("Width", "80");
  list.SetValues("Align", "");
  list.SetValues("Color", "clTeal");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Width=80", "plain", "Color=clTeal"}));
}

TEST(StringListEvents, ChangeEventsAreBatchedByUpdates) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changing;
  };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Delete(0);
  list.Add("c");
  list.EndUpdate();
  EXPECT_EQ(changed, 2);
  list.EndUpdate();
  EXPECT_EQ(changing, 3);
  EXPECT_EQ(changed, 3);
  list.SetText("x\r\ny\r\nz");  // one announcement for the whole text
  EXPECT_EQ(changed, 4);
}

TEST(StringListObjects, AssignCopiesAndOwnedObjectsAreFreed) {
  int alive = 0;
  {
    TStringList owner;
    owner.SetOwnsObjects(true);
    owner.AddObject("one", new TCounted(&alive));
    owner.AddObject("two", new TCounted(&alive));
    owner.AddObject("three", new TCounted(&alive));
    TStringList copy;
    copy.Assign(&owner);
    EXPECT_EQ(Lines(copy), Lines(owner));
    EXPECT_EQ(copy.Objects(1), owner.Objects(1));
    EXPECT_EQ(copy.IndexOfObject(owner.Objects(2)), 2);
    owner.Delete(0);
    EXPECT_EQ(alive, 2);
    owner.SetObjects(0, new TCounted(&alive));  // replaces (and frees) two's object
    EXPECT_EQ(alive, 2);
  }
  EXPECT_EQ(alive, 0);
}

TEST(StringListFiles, SaveAndLoadRoundTrip) {
  auto path = std::filesystem::temp_directory_path() / ("xvt_strings_" + std::to_string(::getpid()) + ".txt");
  TStringList list;
  list.Add("[Rebel Missions]");
  list.Add("");
  list.Add("1");
  list.SaveToFile(path.string());
  std::ifstream in(path, std::ios::binary);
  std::stringstream raw;
  raw << in.rdbuf();
  EXPECT_EQ(raw.str(), "[Rebel Missions]\r\n\r\n1\r\n");
  TStringList back;
  back.LoadFromFile(path.string());
  EXPECT_EQ(Lines(back), Lines(list));
  std::filesystem::remove(path);
  EXPECT_THROW(back.LoadFromFile(path.string()), EFOpenError);
  EXPECT_EQ(back.Count(), 3);  // a failed load leaves the lines alone
}

}  // namespace
