// The command line: options and exports in any order, "--", help first, the refusals.
#include "dialogue/options.h"

#include <gtest/gtest.h>

namespace {

Command parse(std::vector<std::string> args) {
    return parseArguments(args);
}

TEST(Options, ModesAndExportsInAnyOrder) {
    EXPECT_EQ(parse({}).action, kStartClassic);
    Command assisted = parse({"a", "b.csv"});
    EXPECT_EQ(assisted.action, kStartAssisted);
    EXPECT_EQ(assisted.exports, (std::vector<std::string>{"a", "b.csv"}));
    Command unattended = parse({"a", "--ja", "b", "-y"});
    EXPECT_EQ(unattended.action, kStartUnattended);
    EXPECT_EQ(unattended.exports, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(parse({"-p", "a"}).action, kStartCheck);
    EXPECT_EQ(parse({"a", "--pruefen"}).action, kStartCheck);
}

TEST(Options, DashesThatAreExports) {
    Command c = parse({"-y", "--", "-p", "--hilfe", "--"});
    EXPECT_EQ(c.action, kStartUnattended);
    EXPECT_EQ(c.exports, (std::vector<std::string>{"-p", "--hilfe", "--"}));
    Command lone = parse({"-", "-p"});
    EXPECT_EQ(lone.action, kStartCheck);
    EXPECT_EQ(lone.exports, std::vector<std::string>{"-"});
}

TEST(Options, HelpAndVersionWinOverEverythingBeforeTheEnd) {
    for (const char* help : {"--hilfe", "-h", "--help"}) {
        EXPECT_EQ(parse({help}).action, kShowHelp);
        EXPECT_EQ(parse({"-x", "a", "-y", "-p", help}).action, kShowHelp);
    }
    EXPECT_EQ(parse({"--version"}).action, kShowVersion);
    EXPECT_EQ(parse({"--version", "--hilfe"}).action, kShowVersion);  // the first one counts
    EXPECT_EQ(parse({"a", "--", "--version"}).action, kStartAssisted);
    EXPECT_EQ(std::string(versionText()), "csv2vdp 0.6 beta");
}

TEST(Options, RefusalsSayWhy) {
    Command unknown = parse({"a", "--JA", "-q"});
    EXPECT_EQ(unknown.action, kBadUsage);
    EXPECT_EQ(unknown.problem, "Unbekannte Option: --JA");
    EXPECT_TRUE(unknown.exports.empty());
    EXPECT_EQ(parse({"-y", "-p", "a"}).problem, "--ja und --pruefen schliessen einander aus.");
    for (std::vector<std::string> none : {std::vector<std::string>{"-y"}, {"--pruefen"}, {"--"}})
        EXPECT_EQ(parse(none).problem, "Es fehlt der Name mindestens einer Exportdatei.");
}

TEST(Options, UsageTextIsPlainAsciiAndNamesEveryOption) {
    std::string text = usageText();
    for (char c : text)
        EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7f)) << static_cast<int>(c);
    for (const char* option : {"--ja", "-y", "--pruefen", "-p", "--hilfe", "-h", "--help",
                               "--version", "--", "csv2vdp EXPORT", "--wechsel"})
        EXPECT_NE(text.find(option), std::string::npos) << option;
}

// A given switch: dive and seconds, or none; the value is the next argument.
TEST(Options, SwitchesGivenWithJa) {
    Command c =
        parse({"--ja", "--wechsel", "2=17:40", "tg", "--wechsel", "1=-", "--wechsel", "3=12"});
    ASSERT_EQ(c.action, kStartUnattended);
    EXPECT_EQ(c.exports, std::vector<std::string>{"tg"});
    ASSERT_EQ(c.switches.size(), 3u);
    EXPECT_EQ(c.switches[0].dive, 2);
    EXPECT_EQ(c.switches[0].seconds, 17 * 60 + 40);
    EXPECT_EQ(c.switches[1].dive, 1);
    EXPECT_EQ(c.switches[1].seconds, kNoSwitchGiven);
    EXPECT_EQ(c.switches[2].seconds, 12 * 60);
    EXPECT_TRUE(parse({"-y", "tg"}).switches.empty());
}

TEST(Options, SwitchesRefusedWithTheUsage) {
    const std::string malformed = "Ungueltiger Wert fuer --wechsel: '";
    for (const char* value : {"2", "=1:00", "0=1:00", "x=1:00", "2=", "2=1.30", "2=1:00h", "2=+1",
                              "2=--", "2= 1:00", "1234567890=1:00", "2=1:-5"}) {
        Command c = parse({"-y", "tg", "--wechsel", value});
        EXPECT_EQ(c.action, kBadUsage) << value;
        EXPECT_EQ(c.problem.rfind(malformed + value + "'", 0), 0u) << c.problem;
    }
    // A value that is an option is none; the option keeps its meaning.
    EXPECT_EQ(parse({"-y", "tg", "--wechsel"}).problem.rfind(malformed + "'", 0), 0u);
    EXPECT_EQ(parse({"-y", "tg", "--wechsel", "-2=1:00"}).action, kBadUsage);
    EXPECT_EQ(parse({"-y", "tg", "--wechsel", "--hilfe"}).action, kShowHelp);
    EXPECT_EQ(parse({"tg", "--wechsel", "2=1:00"}).problem,
              "--wechsel gilt nur zusammen mit --ja.");
    EXPECT_EQ(parse({"-p", "tg", "--wechsel", "2=1:00"}).problem,
              "--wechsel gilt nur zusammen mit --ja.");
    EXPECT_EQ(parse({"-y", "a", "b", "--wechsel", "2=1:00"}).problem,
              "--wechsel verlangt genau einen Export.");
    EXPECT_EQ(parse({"-y", "a", "--wechsel", "2=1:00", "--wechsel", "2=-"}).problem,
              "--wechsel fuer Tauchgang 2 steht mehrfach da.");
    EXPECT_EQ(parse({"-y", "a", "--wechsel", "2=1:00", "--wechsel", "02=-"}).action, kBadUsage);
    EXPECT_EQ(parse({"-y", "--wechsel", "2=1:00"}).problem,
              "Es fehlt der Name mindestens einer Exportdatei.");
}

}  // namespace

namespace {

// A dive list must have the shape of one; whether it fits the log is told once that is read.
TEST(Options, DiveListsGivenOrRefused) {
    Command c = parseArguments({"--tauchgaenge", " 1 , 3 - 4 ", "log.uddf"});
    ASSERT_EQ(c.action, kStartAssisted);
    EXPECT_EQ(c.diveList, " 1 , 3 - 4 ");
    for (const char* bad : {"1-", "2,", "1,,2", "1-2-3", "abc", "", "1 2", "-2"}) {
        EXPECT_EQ(parseArguments({"--ja", "--tauchgaenge", bad, "log.uddf"}).action, kBadUsage)
            << bad;
    }
    EXPECT_EQ(parseArguments({"--tauchgaenge", "1", "--tauchgaenge", "2", "x"}).problem,
              "--tauchgaenge steht mehrfach da.");
}

}  // namespace

namespace {

// --profil takes a name and joins every log given into it; once, and never without a log.
TEST(Options, ProfileForATrip) {
    Command c = parseArguments({"a.uddf", "--profil", "malta", "-y", "b.ssrf"});
    ASSERT_EQ(c.action, kStartUnattended);
    EXPECT_EQ(c.profile, "malta");
    EXPECT_EQ(c.exports, (std::vector<std::string>{"a.uddf", "b.ssrf"}));
    EXPECT_EQ(parseArguments({"--pruefen", "--profil", "m", "a"}).action, kStartCheck);
    EXPECT_EQ(parseArguments({"a"}).profile, "");
    EXPECT_EQ(parseArguments({"--profil", "m", "--profil", "m", "a"}).problem,
              "--profil steht mehrfach da.");
    for (std::vector<std::string> none : {std::vector<std::string>{"--profil", "", "a"},
                                          {"a", "--profil"},
                                          {"--profil", "-y", "a"}}) {
        Command bad = parseArguments(none);
        EXPECT_EQ(bad.action, kBadUsage);
        EXPECT_EQ(bad.problem.rfind("Ungueltiger Wert fuer --profil", 0), 0u) << bad.problem;
    }
    EXPECT_EQ(parseArguments({"--ja", "--profil", "a.uddf"}).problem,
              "--profil verlangt mindestens eine UDDF- oder Subsurface-Datei.");
    EXPECT_NE(std::string(usageText()).find("--profil NAME"), std::string::npos);
}

}  // namespace
