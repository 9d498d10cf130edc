#include "import/delimited_reader.h"

#include <gtest/gtest.h>

#include "import/import_error.h"
#include "table_text.h"

namespace {

using import::TTextEncoding;

struct TTextCase {
  const char* Name;
  std::string Bytes;
  char Delimiter;
  char Decimal;
  std::string Table;  // see TableText
};

const TTextCase kTextCases[] = {
    {"comma", "Sand,Silt,Clay\n0.2,0.3,0.5\n1,2,3\n", ',', '.', "H[Sand|Silt|Clay] 2:0.2|0.3|0.5 3:1|2|3"},
    {"tab", "a\tb\tc\n1\t2\t3\n", '\t', '.', "H[a|b|c] 2:1|2|3"},
    {"semicolon with decimal comma", "Sable;Limon;Argile\n0,2;0,3;0,5\n1,5;2;3\n", ';', ',',
     "H[Sable|Limon|Argile] 2:0.2|0.3|0.5 3:1.5|2|3"},
    {"semicolon with points", "a;b;c\n0.2;0.3;0.5\n", ';', '.', "H[a|b|c] 2:0.2|0.3|0.5"},
    {"runs of spaces", "a  b c\n 1 2   3\n4 5 6", ' ', '.', "H[a|b|c] 2:1|2|3 3:4|5|6"},
    {"pipe without header", "1|2|3\n4|5|6\n", '|', '.', "1:1|2|3 2:4|5|6"},
    {"quotes around delimiters, line breaks and quotes",
     "name,x,y\n\"Smith, J\",1,2\n\"two\nlines\",3,4\n\"say \"\"hi\"\"\",\"5\",6\n", ',', '.',
     "H[name|x|y] 2:'Smith, J'|1|2 3:'two\nlines'|3|4 5:'say \"hi\"'|5|6"},
    {"byte-order mark", "\xEF\xBB\xBFSite,A,B\nBr\xC3\xA9vent,1,2\n", ',', '.', "H[Site|A|B] 2:'Br\xC3\xA9vent'|1|2"},
    {"Latin-1", "Site;A;B\nBr\xE9vent;1;2\n", ';', '.', "H[Site|A|B] 2:'Br\xC3\xA9vent'|1|2"},
    {"CR LF and blank lines", "a,b\r\n\r\n1,2\r\n3,4", ',', '.', "H[a|b] 3:1|2 4:3|4"},
    {"ragged rows", "a,b,c\n1,2\n1,2,3,4\n,,\n", ',', '.', "H[a|b|c|] 2:1|2|| 3:1|2|3|4"},
    {"header only", "Sand,Silt,Clay\n", ',', '.', "H[Sand|Silt|Clay]"},
    {"signs, exponents and blanks", "x,y\n+1e-2, -3 \n", ',', '.', "H[x|y] 2:0.01|-3"},
    {"an unclosed quote reaches the end", "a,b\n\"open,1\n2,3\n", ',', '.', "1:'a'|'b' 2:'open,1\n2,3\n'|"},
};

TEST(DelimitedReader, DetectsTheFormatAndReadsEveryCell) {
  for (const TTextCase& test : kTextCases) {
    const import::TDelimitedFormat format = import::DetectDelimitedFormat(test.Bytes);
    EXPECT_EQ(format.Delimiter, test.Delimiter) << test.Name;
    EXPECT_EQ(format.DecimalSeparator, test.Decimal) << test.Name;
    EXPECT_EQ(TableText(import::ReadDelimited(test.Bytes, format, QStringLiteral("t.csv"))), test.Table) << test.Name;
  }
}

TEST(DelimitedReader, DetectsEncodingAndLineEnd) {
  struct TCase {
    std::string Bytes;
    TTextEncoding Encoding;
    import::TLineEnd LineEnd;
  };
  const TCase cases[] = {
      {"a,b\n1,2\n", TTextEncoding::Utf8, import::TLineEnd::Lf},
      {"\xEF\xBB\xBF"
       "a,b\r\n1,2\r\n",
       TTextEncoding::Utf8WithBom, import::TLineEnd::CrLf},
      {"\xE9,b\r1,2\r", TTextEncoding::Latin1, import::TLineEnd::Cr},
  };
  for (const TCase& test : cases) {
    const import::TDelimitedFormat format = import::DetectDelimitedFormat(test.Bytes);
    EXPECT_EQ(format.Encoding, test.Encoding) << test.Bytes;
    EXPECT_EQ(format.LineEnd, test.LineEnd) << test.Bytes;
  }
}

TEST(DelimitedReader, TheCallersChoicesOverrideDetection) {
  const std::string bytes = "a;b,c\n1;2,5\n";
  import::TDelimitedChoices choices;
  choices.Delimiter = ';';
  choices.DecimalSeparator = ',';
  const import::TDelimitedFormat format = import::DetectDelimitedFormat(bytes, choices);
  EXPECT_EQ(TableText(import::ReadDelimited(bytes, format, QStringLiteral("t.csv"), false)), "1:'a'|'b,c' 2:1|2.5");
}

TEST(DelimitedReader, RefusesFilesWithoutRows) {
  const std::pair<std::string, import::TImportFault> cases[] = {
      {"", import::TImportFault::Empty},
      {"\n\r\n\n", import::TImportFault::Empty},
      {std::string("PK\3\4\0\0\x14\0", 8), import::TImportFault::Binary},
      {std::string(200, '\x01'), import::TImportFault::Binary},
  };
  for (const auto& [bytes, fault] : cases) {
    try {
      import::ReadDelimited(bytes, import::DetectDelimitedFormat(bytes), QStringLiteral("t.csv"));
      ADD_FAILURE() << "read: " << bytes;
    } catch (const import::TImportError& error) {
      EXPECT_EQ(error.Fault(), fault) << bytes;
      EXPECT_TRUE(std::string(error.what()).starts_with("Cannot import \"t.csv\": ")) << error.what();
    }
  }
}

}  // namespace
