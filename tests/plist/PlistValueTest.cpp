#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "PlistPrinter.h"
#include "foundation/Plist.h"

using host::Plist;

namespace {

std::vector<std::string> keysOf(const Plist& dictionary) {
  std::vector<std::string> keys;
  for (const auto& entry : dictionary.entries())
    keys.push_back(entry.first);
  return keys;
}

}  // namespace

TEST(PlistValue, IntegersKeepNegativeAndLargeUnsignedApart) {
  const Plist minusOne = Plist::integer(-1);
  const Plist largest = Plist::unsignedInteger(std::numeric_limits<std::uint64_t>::max());
  EXPECT_FALSE(minusOne == largest);
  EXPECT_EQ(minusOne.asInteger(), -1);
  EXPECT_EQ(minusOne.asUnsignedInteger(), std::nullopt);
  EXPECT_EQ(largest.asInteger(), std::nullopt);
  EXPECT_EQ(largest.asUnsignedInteger(), std::numeric_limits<std::uint64_t>::max());
  EXPECT_TRUE(largest.isLargeUnsigned());
  // Small unsigned values are ordinary integers.
  EXPECT_EQ(Plist::unsignedInteger(7), Plist::integer(7));
  EXPECT_FALSE(Plist::unsignedInteger(7).isLargeUnsigned());

  EXPECT_EQ(Plist::real(std::nan("")), Plist::real(std::nan("")));
  EXPECT_FALSE(Plist::real(1) == Plist::date(1));
  EXPECT_FALSE(Plist::integer(1) == Plist::real(1));
  EXPECT_FALSE(Plist::string("a") == Plist());
}

TEST(PlistValue, DictionaryKeysFollowUtf16Order) {
  // U+1F600 is a surrogate pair in UTF-16 and so sorts below U+E000 and U+FFFD, unlike in UTF-8.
  const std::string emoji = "\xF0\x9F\x98\x80", privateUse = "\xEE\x80\x80",
                    replacement = "\xEF\xBF\xBD", eAcute = "\xC3\xA9";
  const Plist dictionary = Plist::dictionary({{replacement, Plist::integer(1)},
                                              {privateUse, Plist::integer(2)},
                                              {emoji, Plist::integer(3)},
                                              {eAcute, Plist::integer(4)},
                                              {"b", Plist::integer(5)},
                                              {"ab", Plist::integer(6)},
                                              {"a", Plist::integer(7)}});
  EXPECT_EQ(keysOf(dictionary),
            (std::vector<std::string>{"a", "ab", "b", eAcute, emoji, privateUse, replacement}));
  EXPECT_EQ(dictionary.get(emoji), Plist::integer(3));
  EXPECT_EQ(dictionary.get(privateUse), Plist::integer(2));
  EXPECT_EQ(dictionary.get("ab"), Plist::integer(6));
  EXPECT_TRUE(dictionary.get("abc").isNone());

  // Repeated keys: the last one wins; None entries are left out.
  const Plist built = Plist::dictionary(
      {{"k", Plist::integer(1)}, {"gone", Plist()}, {"k", Plist::integer(2)}, {"j", Plist()}});
  EXPECT_EQ(keysOf(built), std::vector<std::string>{"k"});
  EXPECT_EQ(built.get("k"), Plist::integer(2));
}

TEST(PlistValue, ChangesCopyOnlyThePathAndShareTheRest) {
  const Plist sibling = Plist::dictionary({{"x", Plist::data({1, 2, 3})}});
  const Plist leafSibling = Plist::string("keep");
  const Plist root = Plist::dictionary(
      {{"hidden", Plist::dictionary({{"PageA", Plist::dictionary({{"cell1", Plist::boolean(true)},
                                                                  {"other", leafSibling}})}})},
       {"specs", sibling}});

  const Plist changed = root.withPath({"hidden", "PageA", "cell1"}, Plist::boolean(false));
  EXPECT_EQ(changed.getPath({"hidden", "PageA", "cell1"}), Plist::boolean(false));
  EXPECT_EQ(root.getPath({"hidden", "PageA", "cell1"}), Plist::boolean(true));  // untouched
  EXPECT_TRUE(changed.get("specs").sharesStorageWith(sibling));
  EXPECT_TRUE(changed.getPath({"hidden", "PageA", "other"}).sharesStorageWith(leafSibling));
  EXPECT_FALSE(changed.get("hidden").sharesStorageWith(root.get("hidden")));
  EXPECT_FALSE(
      changed.getPath({"hidden", "PageA"}).sharesStorageWith(root.getPath({"hidden", "PageA"})));

  // Missing and wrong-typed containers on the way are created or replaced.
  const Plist created = root.withPath({"enabled", "PageB", "cell2"}, Plist::integer(1));
  EXPECT_EQ(created.getPath({"enabled", "PageB", "cell2"}), Plist::integer(1));
  const Plist replaced = root.withPath({"specs", "x", "y"}, Plist::integer(2));
  EXPECT_EQ(replaced.getPath({"specs", "x", "y"}), Plist::integer(2));
  EXPECT_EQ(Plist::string("not a dictionary").with("k", Plist::integer(1)),
            Plist::dictionary({{"k", Plist::integer(1)}}));

  // Setting None removes; removing what is not there changes nothing and copies nothing.
  const Plist removed = changed.withPath({"hidden", "PageA", "other"}, Plist());
  EXPECT_EQ(keysOf(removed.getPath({"hidden", "PageA"})), std::vector<std::string>{"cell1"});
  EXPECT_TRUE(root.withPath({"nowhere", "deep"}, Plist()).sharesStorageWith(root));
  EXPECT_TRUE(root.without("absent").sharesStorageWith(root));

  const Plist list = Plist::array({Plist::integer(1)});
  const Plist longer = list.appending(sibling);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_TRUE(longer.at(1).sharesStorageWith(sibling));
  EXPECT_TRUE(longer.at(2).isNone());
}
