#include "help/U_HlpMorlin.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {
const QString kRule(80, u'-');

struct TExpectedBlock
{
    const char* node;
    const char* title;
    int lines;
};

const TExpectedBlock kBlocks[HelpTopicCount] = {
    {"Tarvelle", "Tarvelle", 25},
    {"Mnemo", "Mnemo", 10},
    {"Traceur", "Traceur", 20},
    {"Enregistrement", "Enregistrement", 15},
    {"Presse-papier", "Presse-papier", 10},
    {"Position", "Position", 10},
    {"Couleurs", "Couleurs", 10},
    {"Automatique", "Sauvegarde automatique", 10},
    {"Manuelle", "Sauvegarde manuelle", 10},
    {"Nouveau Mnemo", "Nouveau Mnemo", 10},
    {"Nouveau Traceur", "Nouveau Traceur", 15},
    {"Impression", "Impression", 10},
    {"Affichage", "Affichage", 20},
    {"Alarme", "Alarme", 20},
};

const QString kSaveFolder = QStringLiteral("Les sauvegardes se font toujours dans le répertoire");
const QString kOptions = QStringLiteral("*Options : bouton carré au-dessus de celui du calendrier");
const QString kDatedCopy = QStringLiteral("de la date et de l'heure d'enregistement.");

// The two save-folder lines of a block, found by the first of them.
QStringList SaveFolderLines(int block)
{
    const QStringList lines = HelpTopicBlock(block);
    const qsizetype at = lines.indexOf(kSaveFolder);
    return at < 0 || at + 1 >= lines.size() ? QStringList() : lines.mid(at, 2);
}
} // namespace

TEST(HelpContent, EveryTopicNodeLeadsToItsBlockAndOtherTextsToNone)
{
    for (int n = 1; n <= HelpTopicCount; ++n)
        EXPECT_EQ(HelpTopicOfNode(QString::fromUtf8(kBlocks[n - 1].node)), n) << n;
    for (const char* other : {"Options", "Gestion des fichiers", "Sauvegarde", "", "mnemo",
                              "Mnemo ", " Alarme", "Sauvegarde automatique"})
        EXPECT_EQ(HelpTopicOfNode(QString::fromUtf8(other)), 0) << other;
}

TEST(HelpContent, EveryBlockHasItsTitleRuleAndLineCount)
{
    for (int n = 1; n <= HelpTopicCount; ++n) {
        const QStringList lines = HelpTopicBlock(n);
        ASSERT_EQ(lines.size(), kBlocks[n - 1].lines) << n;
        EXPECT_EQ(lines[0],
                  QStringLiteral("- Aide \"%1\"").arg(QString::fromUtf8(kBlocks[n - 1].title)));
        // "Nouveau Mnemo" alone has an empty second line.
        EXPECT_EQ(lines[1], n == 10 ? QString() : kRule) << n;
        // Every further rule is a whole rule.
        for (qsizetype i = 1; i < lines.size(); ++i)
            EXPECT_TRUE(!lines[i].startsWith(u'-') || lines[i] == kRule) << n << ":" << i;
    }
    EXPECT_EQ(HelpTopicBlock(8)[0], QStringLiteral("- Aide \"Sauvegarde automatique\""));
    EXPECT_TRUE(HelpTopicBlock(0).isEmpty());
    EXPECT_TRUE(HelpTopicBlock(HelpTopicCount + 1).isEmpty());
    EXPECT_EQ(HelpTopicBlock(2).last(), QString());
}

TEST(HelpContent, SharedLinesAreTheSameWhereverTheyAppear)
{
    const QStringList recording = HelpTopicBlock(4);
    const QStringList manual = HelpTopicBlock(9);
    EXPECT_EQ(manual.mid(2, 4), recording.mid(2, 4));

    const QStringList folder = SaveFolderLines(8);
    ASSERT_EQ(folder.size(), 2);
    EXPECT_FALSE(folder[1].isEmpty());
    for (int n : {9, 10, 11})
        EXPECT_EQ(SaveFolderLines(n), folder) << n;
    EXPECT_EQ(manual.mid(6, 2), folder);

    for (int n : {10, 11})
        EXPECT_TRUE(HelpTopicBlock(n).contains(kDatedCopy)) << n;
    for (int n : {4, 5})
        EXPECT_TRUE(HelpTopicBlock(n).contains(kOptions)) << n;
}

TEST(HelpContent, QuotedSentencesAreThereWordForWord)
{
    const std::pair<int, const char*> quoted[] = {
        {1, "Tarvelle s'adresse surtout aux professionnel(le)s."},
        {2, "Le Mnemo est là pour capturer vos Ctrl+C ainsi"},
        {2, "que ce que vous voudrez y noter. C'est précieux !"},
        {3, "exacte. [Voir aussi : Distinction fichiers in OPTIONS]"},
        {5, "cochant l'option correspondante."},
        {6, "et options telles qu'à leur dernière utilisation."},
        {8, "et de Traceur.csv toutes les 5 minutes."},
        {10, "précédent selon l'option correspondante."},
        {14, "Les alarmes passées sont automatiquement effacées."},
    };
    for (const auto& [block, sentence] : quoted)
        EXPECT_TRUE(HelpTopicBlock(block).contains(QString::fromUtf8(sentence))) << sentence;
    EXPECT_EQ(HelpTopicBlock(3).last(),
              QStringLiteral("exacte. [Voir aussi : Distinction fichiers in OPTIONS]"));

    // Menu captions and names as the program shows them.
    const auto mentions = [](int block, const QString& text) {
        return HelpTopicBlock(block).join(u'\n').contains(text);
    };
    EXPECT_TRUE(mentions(1, QStringLiteral("\"Lancer Tarvelle au démarrage de Windows\"")));
    EXPECT_TRUE(mentions(1, QStringLiteral("README.md")));
    EXPECT_TRUE(mentions(4, QStringLiteral("\"Enregistrements & Démarrage\"")));
    EXPECT_TRUE(mentions(6, QStringLiteral("\"Conserve position par défaut\"")));
    EXPECT_TRUE(mentions(8, QStringLiteral("\"Sauvegarde auto sur traçage (5 mn)\"")));
    EXPECT_TRUE(mentions(14, QStringLiteral("\"breakPoint.csv\"")));
    EXPECT_TRUE(SaveFolderLines(8).join(u' ').contains(QStringLiteral("tarvelle")));
}

TEST(HelpContent, EveryCallGivesANewListAndNoTextNamesAnAddressOrWindowsPath)
{
    QStringList first = HelpTopicBlock(1);
    first.clear();
    EXPECT_EQ(HelpTopicBlock(1).size(), 25);
    const QRegularExpression address(QStringLiteral("@|[A-Za-z]:\\\\|\\.exe\\b|http"));
    for (int n = 1; n <= HelpTopicCount; ++n)
        EXPECT_FALSE(HelpTopicBlock(n).join(u'\n').contains(address)) << n;
}
