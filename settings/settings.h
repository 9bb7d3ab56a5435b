// The preferences kept in the main section of the settings file, with their defaults.
#pragma once

#include <cstdint>

constexpr int kFontNameSize = 32;
constexpr int kMarginSize = 5;
constexpr int kTemplateSize = 32;

struct Settings {
    int32_t newFile = 1;
    int32_t actionBar = 1;
    int32_t iconLabel = 1;
    int32_t largeIcons = 0;
    int32_t noTabs = 0;
    int8_t tabStops = 8;
    int32_t largeCursor = 0;
    int32_t autoIndent = 1;
    int32_t insertMode = 1;
    int8_t mouseMode = 1;
    int32_t oemKeys = 1;
    char screenFont[kFontNameSize] = "Courier New";
    uint8_t screenCharset = 0;
    int32_t screenFontSize = 10;
    char printerFont[kFontNameSize] = "Courier";
    uint8_t printerCharset = 0;
    int16_t printerFontSize = 10;
    char marginLeft[kMarginSize] = "0.25";
    char marginTop[kMarginSize] = "0.25";
    char marginRight[kMarginSize] = "0.25";
    char marginBottom[kMarginSize] = "0.25";
    char header[kTemplateSize] = "&f";
    char footer[kTemplateSize] = "Page &p";
    // Keys the main section holds beyond the table above (kRecoveryKeys).
    int32_t recoveryCopies = 1;    // snapshots of modified documents, offered after a crash
    int32_t checkDiskChanges = 1;  // ask when another program has changed an open file
    int32_t syntaxColours = 1;     // scripts are drawn in the colours of their syntax
    // The Find and Replace dialogs' Up/Down and Wrap Around (kFindKeys): down, no wrap.
    int32_t findUp = 0;
    int32_t findWrap = 0;
};
