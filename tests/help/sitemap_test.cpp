// Contents and index files: sitemap lists, character references and encodings.
#include "Sitemap.h"

#include <gtest/gtest.h>

#include <string>

using namespace velorin;

namespace {

std::string Objekt(const std::string& name, const std::string& lokal) {
    return "<LI> <OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
           "\"><param name=\"Local\" value=\"" + lokal + "\"></OBJECT>\n";
}

} // namespace

TEST(Sitemap, ReadsNestedContents) {
    const std::string text = "<HTML><BODY><!-- <UL> in a comment counts for nothing -->\n"
                             "<OBJECT type=\"text/site properties\"><param name=\"Name\" "
                             "value=\"Eigenschaften\"></OBJECT>\n<UL>" +
                             Objekt("Erste", "a.htm") + "<UL>" + Objekt("Unter", "a.htm#x") +
                             "<ul>" + Objekt("Tief", "b/c.htm") + "</ul></UL>" +
                             Objekt("Zweite", "d.htm") + "</UL></BODY></HTML>";
    const auto liste = SitemapLesen(text);
    ASSERT_EQ(liste.size(), 2u);
    EXPECT_EQ(liste[0].Name, "Erste");
    EXPECT_EQ(liste[0].Lokal, "a.htm");
    ASSERT_EQ(liste[0].Kinder.size(), 1u);
    EXPECT_EQ(liste[0].Kinder[0].Lokal, "a.htm#x");
    ASSERT_EQ(liste[0].Kinder[0].Kinder.size(), 1u);
    EXPECT_EQ(liste[0].Kinder[0].Kinder[0].Lokal, "b/c.htm");
    EXPECT_EQ(liste[1].Name, "Zweite");
    EXPECT_TRUE(liste[1].Kinder.empty());
}

TEST(Sitemap, AttributeFormsAndParameterOrder) {
    // Unquoted and single-quoted values, upper-case names, Local before Name, a second Name.
    const std::string text = "<ul><li><object TYPE='text/sitemap'><PARAM value=x.htm NAME=Local>"
                             "<param name='name' value='Eins &amp; zwei'>"
                             "<param name=\"Name\" value=\"nicht\"></object></ul>";
    const auto liste = SitemapLesen(text);
    ASSERT_EQ(liste.size(), 1u);
    EXPECT_EQ(liste[0].Name, "Eins & zwei");
    EXPECT_EQ(liste[0].Lokal, "x.htm");
}

TEST(Sitemap, NamesComeOutAsUtf8WhateverTheFileUses) {
    const std::string ref =
        SitemapLesen("<ul>" + Objekt("&Uuml;berblick &ndash; &#228;&#xF6;", "a.htm"))[0].Name;
    EXPECT_EQ(ref, "Überblick – äö");
    const std::string utf8 = SitemapLesen("<ul>" + Objekt("Größe", "a.htm"))[0].Name;
    EXPECT_EQ(utf8, "Größe");
    // Windows-1252: Gr\xf6\xdfe and an en dash \x96.
    const std::string ansi = SitemapLesen("<ul>" + Objekt("Gr\xf6\xdf"
                                                          "e \x96 1",
                                                          "a.htm"))[0]
                                 .Name;
    EXPECT_EQ(ansi, "Größe – 1");
}

TEST(Sitemap, CharacterReferences) {
    struct Fall {
        const char* ein;
        const char* aus;
    };
    const Fall faelle[] = {
        {"a &lt;b&gt; &quot;c&quot;", "a <b> \"c\""},
        {"&szlig;&deg;&nbsp;", "ß°\xc2\xa0"},
        {"&unbekannt; & &; &#; &#x; &#12a;", "&unbekannt; & &; &#; &#x; &#12a;"},
        {"&#0; &#x110000; &#xD800;", "\xef\xbf\xbd \xef\xbf\xbd \xef\xbf\xbd"},
        {"&#9999999;", "\xef\xbf\xbd"},
        {"&#99999999999999999999;", "&#99999999999999999999;"},
        {"Ende &amp", "Ende &amp"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(EntitaetenAufloesen(f.ein), f.aus) << f.ein;
}

TEST(Sitemap, AnyInputGivesABoundedResult) {
    // Entries without name and place are dropped; nesting beyond the bound is flattened.
    std::string tief;
    for (std::size_t i = 0; i < 5000; ++i)
        tief += "<UL>" + Objekt("E", "e.htm");
    const auto liste = SitemapLesen(tief);
    std::size_t tiefe = 0;
    for (const auto* ebene = &liste; !ebene->empty(); ebene = &ebene->back().Kinder)
        ++tiefe;
    EXPECT_EQ(tiefe, SitemapTiefeMax);

    std::string viele = "<ul>";
    for (std::size_t i = 0; i < SitemapEintraegeMax + 10; ++i)
        viele += Objekt("E", "e.htm");
    EXPECT_EQ(SitemapLesen(viele).size(), SitemapEintraegeMax);

    const char* kaputt[] = {"",
                            "<",
                            "<<<>>>",
                            "<object type=\"text/sitemap\"",
                            "</ul></ul><ul",
                            "<param name=\"Name\" value=\"ohne Objekt\">",
                            "<object type=\"text/sitemap\"></object>",
                            "<!-- offen",
                            "<object type=text/sitemap><param name=Name value='x"};
    for (const char* k : kaputt)
        EXPECT_TRUE(SitemapLesen(k).empty()) << k;
}
