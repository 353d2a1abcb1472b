// The text of a CSV file as spreadsheets save it: UTF-8 with or without its
// byte order mark, UTF-16 with its mark ("Unicode text"), or Windows-1252,
// which French Excel writes for "CSV (separateur: point-virgule)" and which
// is the quiz's own code page. The entries are read from UTF-8 whatever came.
#pragma once

#include <string>
#include <string_view>

#include "tools/builder/input/message_catalogue.h"

struct CsvText {
    std::string utf8;      // the whole text, without a byte order mark
    const char* encoding;  // what was read: "UTF-8", "UTF-16", "Windows-1252"
    std::string problem;   // why the text cannot be read, with how to save it again; empty when read
    Message fault{MessageId::Count, {}};  // the same as a message record
};

CsvText decodeCsvText(std::string_view bytes);
