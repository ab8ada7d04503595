#include <gtest/gtest.h>

#include "find/find_index.h"
#include "find/find_matching.h"
#include "platform/text_case.h"

namespace {

// Programs as a Start menu names them, then a user's own items, in menu order.
const wchar_t* const kCaptions[][2] = {
    {L"Visual Studio Code", L"Code.exe"},      {L"Mozilla Firefox", L"firefox.exe"},
    {L"Notepad++", L"notepad++.exe"},          {L"7-Zip File Manager", L"7zFM.exe"},
    {L"LibreOffice Writer", L"swriter.exe"},   {L"LibreOffice Calc", L"scalc.exe"},
    {L"Windows Terminal", L"wt.exe"},          {L"GIMP 2.10", L"gimp-2.10.exe"},
    {L"VLC media player", L"vlc.exe"},         {L"Google Chrome", L"chrome.exe"},
    {L"Microsoft Edge", L"msedge.exe"},        {L"Calculator", L"calc.exe"},
    {L"File Explorer", L"explorer.exe"},       {L"Task Manager", L"Taskmgr.exe"},
    {L"Command Prompt", L"cmd.exe"},           {L"PowerShell", L"powershell.exe"},
    {L"Thunderbird", L"thunderbird.exe"},      {L"Spotify", L"Spotify.exe"},
    {L"OBS Studio", L"obs64.exe"},             {L"KeePass 2", L"KeePass.exe"},
    {L"Audacity", L"audacity.exe"},            {L"Zoom", L"Zoom.exe"},
    {L"Caf\u00E9 Men\u00FC 2025", L"menu.pdf"}, {L"Tax return 2024", L"tax.xlsx"},
};

struct Case {
    const wchar_t* typed;
    const wchar_t* first;  // the first row expected, or empty for none
};

// What people type, and what they expect on top.
const Case kCases[] = {
    {L"vsc", L"Visual Studio Code"},        {L"visual code", L"Visual Studio Code"},
    {L"code visual", L"Visual Studio Code"}, {L"lo writer", L"LibreOffice Writer"},
    {L"lo calc", L"LibreOffice Calc"},      {L"np++", L"Notepad++"},
    {L"7zip", L"7-Zip File Manager"},       {L"mozilla", L"Mozilla Firefox"},
    {L"fierfox", L"Mozilla Firefox"},       {L"firfox", L"Mozilla Firefox"},
    {L"fox", L"Mozilla Firefox"},           {L"wt", L"Windows Terminal"},
    {L"terminal windows", L"Windows Terminal"}, {L"lo", L"LibreOffice Writer"},
    {L"office", L"LibreOffice Writer"},     {L"vlc", L"VLC media player"},
    {L"calc", L"Calculator"},               {L"g2", L"GIMP 2.10"},
    {L"gimp2", L"GIMP 2.10"},               {L"2.10", L"GIMP 2.10"},
    {L"cp", L"Command Prompt"},             {L"tm", L"Task Manager"},
    {L"kp", L"KeePass 2"},                  {L"ms edge", L"Microsoft Edge"},
    {L"explr", L"File Explorer"},           {L"powreshell", L"PowerShell"},
    {L"thunderbrid", L"Thunderbird"},       {L"calculater", L"Calculator"},
    {L"spotifyy", L"Spotify"},              {L"studio", L"Visual Studio Code"},
    {L"cafe menu", L"Caf\u00E9 Men\u00FC 2025"}, {L"MENU CAFE", L"Caf\u00E9 Men\u00FC 2025"},
    {L"cm25", L"Caf\u00E9 Men\u00FC 2025"}, {L"  tax  ", L"Tax return 2024"},
    {L"firefoxes", L""},                    {L"xyz", L""},
    {L"code visual studio q", L""},         {L"zoomm", L"Zoom"},
};

FindIndex programsIndex() {
    FindIndex index;
    IndexedCategory category;
    category.name = L"Programs";
    for (const auto& caption : kCaptions) {
        IndexedItem item;
        item.caption = caption[0];
        prepareForMatching(item, caption[1], category.wordStarts);
        category.items.push_back(item);
    }
    index.categories.push_back(category);
    return index;
}

std::wstring firstFound(const FindIndex& index, const std::wstring& typed) {
    const std::vector<FindResult> results = findItems(index, foldedForSearch(typed));
    return results.empty() ? std::wstring() : index.categories[0].items[static_cast<size_t>(results[0].item)].caption;
}

}  // namespace

TEST(FindMatching, PutsWhatPeopleMeanFirst) {
    const FindIndex index = programsIndex();
    for (const Case& c : kCases) EXPECT_EQ(firstFound(index, c.typed), c.first) << "typed \"" << c.typed << '"';
}

TEST(FindMatching, RanksByHowTheTextMatches) {
    const auto classOf = [](const wchar_t* caption, const wchar_t* typed) {
        return matchTexts(caption, L"tool.exe", typed).matchClass;
    };
    EXPECT_EQ(classOf(L"Visual Studio Code", L"visual"), kMatchCaptionStart);
    EXPECT_EQ(classOf(L"Visual Studio Code", L"stu"), kMatchWordStart);
    EXPECT_EQ(classOf(L"Visual Studio Code", L"vsc"), kMatchInitials);
    EXPECT_EQ(classOf(L"Visual Studio Code", L"udi"), kMatchCaptionHolds);
    EXPECT_EQ(classOf(L"Visual Studio Code", L"tool"), kMatchFileNameHolds);
    EXPECT_EQ(classOf(L"Visual Studio Code", L"code vis"), kMatchAllWords);
    EXPECT_EQ(classOf(L"Visual Studio Code", L"vscode"), kMatchLettersInOrder);
    EXPECT_EQ(classOf(L"Visual Studio Code", L"stduio"), kMatchOneSlip);
    EXPECT_EQ(classOf(L"Visual Studio Code", L"stdui"), kMatchOneSlip) << "a word being typed";
    EXPECT_EQ(classOf(L"Visual Studio Code", L"stdu"), -1) << "too short for a slip";
    EXPECT_EQ(classOf(L"Visual Studio Code", L"code stduio"), kMatchOneSlip);
    // Letters at words' starts and with fewer gaps are the better match.
    EXPECT_LT(matchTexts(L"Notepad Plus", L"", L"npp").quality, matchTexts(L"Snap prompt", L"", L"npp").quality);
    EXPECT_LT(matchTexts(L"Abcd tool", L"", L"abd").quality, matchTexts(L"Axbxd tool", L"", L"abd").quality);
}
