// Recognising a new correspondent's codes: which tokens are codes, the three
// kinds of evidence, the alignment of two letters, the assignment of keys.
#include "scripts/translation/CodeNames.h"
#include "scripts/translation/CodeRecognition.h"
#include "scripts/translation/LetterAlignment.h"
#include "scripts/translation/RecognitionSources.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace polyx;

namespace {

QStringList CodesOf(const QString& script, const QStringList& dictionaryCodes = {},
                    const QStringList& externalValues = {})
{
    QStringList codes;
    for (const ScriptCode& code : FindScriptCodes(script, dictionaryCodes, externalValues).codes)
        codes << code.code;
    return codes;
}

// Codes of every shape a dictionary knows, so that ordinary text meets them all.
const QStringList kManyShapes{"[NOM]", "#AGE#", "%TAILLE%", "$POIDS$", "«SEXE»", "(VILLE)", "{{rue}}", "@CP@"};

const RecognitionRow* RowOf(const QList<RecognitionRow>& rows, const QString& code)
{
    for (const RecognitionRow& row : rows) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

QString Described(const RecognitionRow* row)
{
    return row ? row->key + '|' + ConfidenceText(row->confidence) + '|' + row->reason : QString("no row");
}

// The correspondent's letter and the same letter in the user's codes.
const QString kCorrespondentLetter =
    "Cher confrère,\n"
    "Je vois ce jour #NOM_MALADE# #PRENOM_MALADE#, né le #NE_LE#, pour un contrôle.\n"
    "Sa tension est à #TENSION# et son poids à #POIDS_KG#.\n"
    "Je reverrai #NOM_MALADE# dans trois mois.\n"
    "Bien confraternellement, #SIGNATAIRE#";
const QStringList kUserDictionary{"<_AUTEUR>=Moi", "<_TITRE>=", "<_CODE>=", "<NOM>=£[SG : nom]#",
                                  "<PRENOM>=£[SG : prénom]#", "<DDN>=SIGNAL(\"dn\")", "<TA>=£[TA]#",
                                  "<POIDS>=£[POIDS]#", "<MEDECIN>=£[SG : médecin]#"};

} // namespace

class CodeRecognitionTest : public QObject {
    Q_OBJECT

private slots:
    void ordinaryTextIsNoCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("lone sign") << "Point # 1 et point # 2, #";
        QTest::newRow("number sign") << "dossier n° 12 et n° 13, n°14";
        QTest::newRow("money") << "coût 25 $ puis 30 $ ou 40$";
        QTest::newRow("percent") << "baisse de 50 % puis de 20 %";
        QTest::newRow("fraction") << "TA 12/8 puis 13/9";
        QTest::newRow("time") << "à 10:30 ou à 11:45";
        QTest::newRow("aside") << "(voir ci-dessous) et (voir plus haut)";
        QTest::newRow("e-mail") << "écrire à @dupont@cabinet.fr@ ou à @martin@clinique.fr@";
        QTest::newRow("web") << "voir https://www.has-sante.fr/ et http://www.ameli.fr/";
        QTest::newRow("date in brackets") << "le [12/08/2020] et le [13/09/2021]";
        QTest::newRow("date in quotes") << "«12 mars 2020» et «3 avril 2021»";
        QTest::newRow("quoted sentence") << "il dit « je vais mieux » puis «il dort bien»";
        QTest::newRow("long quotation") << "«un deux trois quatre cinq» et «six sept huit neuf dix»";
        QTest::newRow("numbers in brackets") << "voir [1] et [2], puis {{3}} et {{4}}";
        QTest::newRow("dates") << "né le 12/08/1950, vu le 03.04.2021 et le 2021-04-03";
    }
    void ordinaryTextIsNoCode()
    {
        QFETCH(QString, text);
        QCOMPARE(CodesOf(text), QStringList());
        QCOMPARE(CodesOf(text, kManyShapes), QStringList());
    }

    void shapesFromTheScriptAlone()
    {
        // Each shape twice with different names; a shape met once is chance.
        const QString script = "#NOM_MALADE# #PRENOM#\n$Naissance$ et $Deces$\n%MEDECIN_REF% %MEDECIN_TT%\n"
                               "«Nom usuel» «Prénom usuel»\n{{dossier.nom}} {{dossier.age}}\n"
                               "[Date_Naiss] [Date_Consult]\n<<ADR1>> <<ADR2>>\nune fois ~SEUL~ ici\n"
                               "deux fois le même &MEME& et &meme&";
        QCOMPARE(CodesOf(script), (QStringList{"#NOM_MALADE#", "#PRENOM#", "$Naissance$", "$Deces$", "%MEDECIN_REF%",
                                               "%MEDECIN_TT%", "«Nom usuel»", "«Prénom usuel»", "{{dossier.nom}}",
                                               "{{dossier.age}}", "[Date_Naiss]", "[Date_Consult]", "<<ADR1>>",
                                               "<<ADR2>>"}));
        // A code on two lines, or longer than 60 characters, is none.
        QCOMPARE(CodesOf("#NOM\nMALADE# #A# #B#"), (QStringList{"#A#", "#B#"}));
        QCOMPARE(CodesOf("#" + QString(61, 'A') + "# #B# #C#"), (QStringList{"#B#", "#C#"}));
    }

    void shapesOfTheDictionariesAndCounts()
    {
        // "[" … "]" is known: one bracketed code is enough.
        const QString script = "Nom : [NOM], [Nom], [nom] ; âge [AGE] ; ville [ VILLE ] ; déjà [TAILLE]";
        const ScriptCodes found = FindScriptCodes(script, {"[POIDS]"}, {"<x>", " [taille] "});
        QCOMPARE(found.codes.size(), 2);
        QCOMPARE(found.codes[0].code, QString("[NOM]"));
        QCOMPARE(found.codes[0].occurrences, 3);
        QCOMPARE(found.codes[1].code, QString("[AGE]"));
        // The known code is a token still, for the alignment.
        QCOMPARE(found.tokens.size(), 5);
        QCOMPARE(found.codeOfToken, (QList<int>{0, 0, 0, 1, -1}));
        // The most frequent spelling is shown.
        QCOMPARE(FindScriptCodes("[nom] [Nom] [nom]", {"[X]"}, {}).codes[0].code, QString("[nom]"));
    }

    void memory()
    {
        RecognitionInput input;
        input.script = "#NOM# et #PRENOM# et #VILLE#";
        input.kept = {{"Dr_Martin.DICO", {"<NOM>=#NOM#", "<PRENOM>=#prenom# ", "<VILLE>=#VILLE#"}},
                      {"Dr_Durand.DICO", {"<nom>=#NOM#", "<_AUTEUR>=#VILLE#", "<VILLE>=#VILLE#"}},
                      {"Dr_Petit.DICO", {"<NOM>=#NOM#", "<COMMUNE>=#VILLE#"}},
                      {"Dr_Blanc.DICO", {"<VILLE>=#VILLE#"}}};
        const QList<RecognitionRow> rows = RecogniseCodes(input);
        QCOMPARE(Described(RowOf(rows, "#NOM#")), QString("<NOM>|sûre|Connu dans \"Dr_Martin.DICO\" et 2 autres"));
        QCOMPARE(Described(RowOf(rows, "#PRENOM#")), QString("<PRENOM>|sûre|Connu dans \"Dr_Martin.DICO\""));
        QCOMPARE(Described(RowOf(rows, "#VILLE#")),
                 QString("<VILLE>|probable|Connu dans \"Dr_Martin.DICO\" et 2 autres, mais \"Dr_Petit.DICO\" "
                         "donne \"<COMMUNE>\""));
        QVERIFY(RowOf(rows, "#NOM#")->ticked);
        QVERIFY(!RowOf(rows, "#VILLE#")->ticked);
        // The minority key is offered second.
        QCOMPARE(RowOf(rows, "#VILLE#")->candidates.at(1).key, QString("<COMMUNE>"));
        QCOMPARE(RecognitionSummary(rows), QString("3 codes à reconnaître : 2 sûrs, 1 probable, 0 à vérifier"));
        // Rows to check first, sure ones last.
        QCOMPARE(rows.first().code, QString("#VILLE#"));
    }

    void translatedLetter()
    {
        RecognitionInput input;
        input.script = kCorrespondentLetter;
        input.internalLines = kUserDictionary;
        input.letter = "Cher confrère,\n"
                       "Je vois ce jour £[SG : nom]# £[SG : prénom]#, né le SIGNAL(\"dn\"), pour un contrôle.\n"
                       "Sa tension est à £[TA]# et son poids à £[POIDS]#.\n"
                       "Je reverrai £[SG : nom]# dans trois mois.\n"
                       "Bien confraternellement, £[SG : médecin]#";
        const QList<RecognitionRow> rows = RecogniseCodes(input);
        QCOMPARE(rows.size(), 6);
        const QString sure = "|sûre|D'après la lettre traduite";
        QCOMPARE(Described(RowOf(rows, "#NOM_MALADE#")), "<NOM>" + sure);
        QCOMPARE(RowOf(rows, "#NOM_MALADE#")->occurrences, 2);
        QCOMPARE(Described(RowOf(rows, "#PRENOM_MALADE#")), "<PRENOM>" + sure);
        QCOMPARE(Described(RowOf(rows, "#NE_LE#")), "<DDN>" + sure);
        QCOMPARE(Described(RowOf(rows, "#TENSION#")), "<TA>" + sure);
        QCOMPARE(Described(RowOf(rows, "#POIDS_KG#")), "<POIDS>" + sure);
        QCOMPARE(Described(RowOf(rows, "#SIGNATAIRE#")), "<MEDECIN>" + sure);
    }

    void inconsistentLetter()
    {
        RecognitionInput input;
        input.script = "Monsieur #NOM# est venu.\nVu ce jour : #NOM# et sa femme.\nPlus loin, revu #NOM# hier.";
        input.internalLines = kUserDictionary;
        input.kept = {{"B.DICO", {"<AGE>=#AGE#"}}};
        input.letter = "Monsieur £[SG : nom]# est venu.\nVu ce jour : £[SG : nom]# et sa femme.\n"
                       "Plus loin, revu £[SG : prénom]# hier.";
        const QList<RecognitionRow> rows = RecogniseCodes(input);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(Described(&rows[0]),
                 QString("<NOM>|probable|D'après la lettre traduite, sauf ligne 3 (\"<PRENOM>\")"));
        QVERIFY(!rows[0].ticked);
    }

    void alignment_data()
    {
        QTest::addColumn<QString>("external");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QStringList>("pairs"); // external code -> letter code, per external occurrence aligned
        QTest::newRow("paragraphs moved")
            << "Nom du patient : #A#.\nAdresse du patient : #B#.\nTéléphone du patient : #C#."
            << "Téléphone du patient : [Z].\nNom du patient : [X].\nAdresse du patient : [Y]."
            << QStringList{"#A#=[X]", "#B#=[Y]", "#C#=[Z]"};
        QTest::newRow("codes repeated")
            << "Voici #A# et #B#. Puis encore #A# et #B#. Enfin #B# seul ici."
            << "Voici [X] et [Y]. Puis encore [X] et [Y]. Enfin [Y] seul ici."
            << QStringList{"#A#=[X]", "#B#=[Y]", "#A#=[X]", "#B#=[Y]", "#B#=[Y]"};
        QTest::newRow("a sentence more")
            << "Je vois #A# ce jour pour un bilan. Son âge est #B# ans révolus."
            << "Je vois [X] ce jour pour un bilan. Une phrase de plus ici. Son âge est [Y] ans révolus."
            << QStringList{"#A#=[X]", "#B#=[Y]"};
        QTest::newRow("codes side by side")
            << "Patient : #A# #B#, vu ce jour au cabinet." << "Patient : [X] [Y], vu ce jour au cabinet."
            << QStringList{"#A#=[X]", "#B#=[Y]"};
        QTest::newRow("nothing alike") << "Tout autre texte #A# sans rapport." << "Une lettre [X] différente."
                                       << QStringList{};
    }
    void alignment()
    {
        QFETCH(QString, external);
        QFETCH(QString, letter);
        QFETCH(QStringList, pairs);
        const QList<CodeShapes::Token> a = CodeShapes({"#X#"}).tokens(external, 0, external.size());
        const QList<CodeShapes::Token> b = CodeShapes({"[X]"}).tokens(letter, 0, letter.size());
        QStringList found;
        for (const AlignedCode& pair : AlignLetters(external, a, letter, b)) {
            found << external.mid(a[pair.externalCode].start, a[pair.externalCode].length) + '='
                    + letter.mid(b[pair.letterCode].start, b[pair.letterCode].length);
        }
        QCOMPARE(found, pairs);
    }

    void nameWords()
    {
        QCOMPARE(NameWords(u"$Date_Naiss$"), (QStringList{"date", "naiss"}));
        QCOMPARE(NameWords(u"{{dossier.nomJeuneFille}}"), (QStringList{"dossier", "nom", "jeune", "fille"}));
        QCOMPARE(NameWords(u"<<ADR1>>"), (QStringList{"adr", "1"}));
        QCOMPARE(NameWords(u"«Date de l'Échographie»"), (QStringList{"date", "echographie"}));
    }

    void names()
    {
        RecognitionInput input;
        input.script = "#DDN# #ZORGLUB# #Nom_Malade# #Tension_Art# §RDV§ §Tel§ §Date_RDV§";
        input.questions = {"<_AUTEUR>", "<DATE_NAISSANCE>", "<NOM>", "<TA>", "<RENDEZ_VOUS>", "<Q17>"};
        input.definitions = {{"Q17", "Téléphone du patient"}};
        const QList<RecognitionRow> rows = RecogniseCodes(input);
        QCOMPARE(rows.size(), 7);
        // The abbreviation on the code's side, then on the key's side.
        QCOMPARE(Described(RowOf(rows, "#DDN#")),
                 QString("<DATE_NAISSANCE>|probable|Nom proche de \"<DATE_NAISSANCE>\" (« date de naissance »)"));
        QCOMPARE(Described(RowOf(rows, "#Tension_Art#")),
                 QString("<TA>|probable|Nom proche de \"<TA>\" (« tension artérielle »)"));
        QCOMPARE(Described(RowOf(rows, "§RDV§")),
                 QString("<RENDEZ_VOUS>|probable|Nom proche de \"<RENDEZ_VOUS>\" (« rendez-vous »)"));
        // The nearer name keeps the key; nothing else is near the other one.
        QCOMPARE(Described(RowOf(rows, "§Date_RDV§")), QString("|à vérifier|\"<RENDEZ_VOUS>\" va à \"§RDV§\""));
        // Through the question's definition.
        QCOMPARE(Described(RowOf(rows, "§Tel§")),
                 QString("<Q17>|à vérifier|Nom proche de \"<Q17>\" (« Téléphone du patient »)"));
        // Half a name is worth a look, no more.
        QCOMPARE(Described(RowOf(rows, "#Nom_Malade#")), QString("<NOM>|à vérifier|Nom proche de \"<NOM>\""));
        // Nothing behind a guess: no proposal.
        QCOMPARE(Described(RowOf(rows, "#ZORGLUB#")), QString("|à vérifier|"));
        for (const RecognitionRow& row : rows)
            QVERIFY2(!row.ticked, qPrintable(row.code)); // names alone are never sure
        QCOMPARE(RecognitionCells(*RowOf(rows, "#ZORGLUB#")), (QStringList{"#ZORGLUB#", "1", "", "à vérifier", ""}));
        QCOMPARE(RecognitionSummary(rows), QString("7 codes à reconnaître : 0 sûr, 3 probables, 4 à vérifier"));
    }

    void similarity_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("key");
        QTest::addColumn<double>("least");
        QTest::addColumn<double>("most");
        QTest::newRow("same words") << "#NOM_JEUNE_FILLE#" << "<NOM_JEUNE_FILLE>" << 1.0 << 1.0;
        QTest::newRow("written together") << "#NOMJEUNEFILLE#" << "<NOM_JEUNE_FILLE>" << 0.9 << 1.0;
        QTest::newRow("cut short") << "[Date_Naiss]" << "<DATE_NAISSANCE>" << 0.8 << 0.95;
        QTest::newRow("number kept") << "<<ADR1>>" << "<ADRESSE_1>" << 0.8 << 0.95;
        QTest::newRow("other number") << "<<ADR1>>" << "<ADRESSE_2>" << 0.0 << 0.5;
        QTest::newRow("half") << "#NOM_MALADE#" << "<NOM>" << 0.55 << 0.7;
        QTest::newRow("start of a longer word") << "{{agenda.prochain}}" << "<AGE>" << 0.0 << 0.54;
        QTest::newRow("nothing alike") << "#POIDS#" << "<TAILLE>" << 0.0 << 0.0;
    }
    void similarity()
    {
        QFETCH(QString, code);
        QFETCH(QString, key);
        QFETCH(double, least);
        QFETCH(double, most);
        const double score = NameMatcher::Similarity(NameWords(code), NameWords(key));
        QVERIFY2(score >= least && score <= most, qPrintable(QString::number(score)));
    }

    void oneKeyForOneCode()
    {
        // #NOM# is known elsewhere; %Nom% only looks like it: the stronger
        // evidence keeps "<NOM>", the other code takes its next best key.
        RecognitionInput input;
        input.script = "%Nom% %Nom_Usage% #NOM# #VILLE#";
        input.questions = {"<NOM>", "<NOM_USAGE>", "<NOM_FAMILLE>", "<VILLE>"};
        input.kept = {{"A.DICO", {"<NOM>=#NOM#", "<VILLE>=#VILLE#"}}};
        input.externalLines = {"<_AUTEUR>=Dr X", "<VILLE>=&ville&", "<NOM_FAMILLE>="};
        const QList<RecognitionRow> rows = RecogniseCodes(input);
        QCOMPARE(Described(RowOf(rows, "#NOM#")), QString("<NOM>|sûre|Connu dans \"A.DICO\""));
        const RecognitionRow* nom = RowOf(rows, "%Nom%");
        QVERIFY(nom);
        QCOMPARE(nom->key, QString("<NOM_FAMILLE>"));
        QVERIFY(nom->reason.endsWith("; \"<NOM>\" va à \"#NOM#\""));
        QCOMPARE(RowOf(rows, "%Nom_Usage%")->key, QString("<NOM_USAGE>"));
        // A key the external dictionary already gives a code is nobody's.
        const RecognitionRow* ville = RowOf(rows, "#VILLE#");
        QCOMPARE(ville->key, QString());
        QVERIFY(!ville->ticked);
        QSet<QString> keys;
        for (const RecognitionRow& row : rows) {
            if (!row.key.isEmpty()) {
                QVERIFY2(!keys.contains(row.key), qPrintable(row.key));
                keys.insert(row.key);
            }
        }
    }

    void contradictedMemoryIsNotSure()
    {
        RecognitionInput input;
        input.script = "Monsieur #X# est venu ce jour au cabinet.";
        input.kept = {{"A.DICO", {"<NOM>=#X#"}}};
        input.internalLines = kUserDictionary;
        input.letter = "Monsieur £[SG : prénom]# est venu ce jour au cabinet.";
        const QList<RecognitionRow> rows = RecogniseCodes(input);
        QCOMPARE(Described(&rows[0]), QString("<NOM>|probable|Connu dans \"A.DICO\" ; autre indice : \"<PRENOM>\""));
        QVERIFY(!rows[0].ticked);
    }

    void typedKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("key");
        QTest::newRow("as it should be") << "<DATE_RDV>" << "<DATE_RDV>";
        QTest::newRow("bare name") << "  date rdv " << "<date_rdv>";
        QTest::newRow("half bracketed") << "<NOM" << "<NOM>";
        QTest::newRow("empty") << "<>" << "";
        QTest::newRow("equals") << "<A=B>" << "";
        QTest::newRow("brackets inside") << "<A<B>" << "";
    }
    void typedKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, key);
        QCOMPARE(TypedKey(typed).value_or(QString()), key);
    }

    void choosingAndAdding()
    {
        RecognitionRow row{"#X#", 1, "<A>", Confidence::ToCheck, "r", {}, false};
        row.candidates = {{"<B>", Confidence::Probable, Evidence::Names, 250, "Nom proche de \"<B>\""}};
        ChooseKey(row, "<b>");
        QCOMPARE(row.key, QString("<b>"));
        QCOMPARE(row.confidence, Confidence::Probable);
        QCOMPARE(row.reason, QString("Nom proche de \"<B>\""));
        QVERIFY(row.ticked);
        ChooseKey(row, "<NEUVE>");
        QCOMPARE(row.confidence, Confidence::ToCheck);
        QCOMPARE(row.reason, QString());

        DictionaryLines external;
        external.AddLine("<_AUTEUR>=Dr X");
        external.AddLine("<VIDE>=");
        external.AddLine("<PLEIN>=&plein&");
        QCOMPARE(AddToExternal(external, "<NOUVEAU>", "#N#"), std::nullopt);
        QCOMPARE(AddToExternal(external, "<vide>", "#V#"), std::nullopt);
        QCOMPARE(AddToExternal(external, "<PLEIN>", "#P#"), std::optional<QString>("&plein&"));
        QCOMPARE(external.Lines(), (QStringList{"<_AUTEUR>=Dr X", "<vide>=#V#", "<PLEIN>=&plein&", "<NOUVEAU>=#N#"}));
        QCOMPARE(AlreadyInDictionary("&plein&"), QString("Déjà \"&plein&\" dans le dictionnaire"));
        QCOMPARE(AddedSummary(9), QString("9 lignes ajoutées au dictionnaire externe"));
        QCOMPARE(AddedSummary(1), QString("1 ligne ajoutée au dictionnaire externe"));
    }

    void sources()
    {
        QTemporaryDir dir;
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        write("Dr_Martin.DICO", "<NOM>=#NOM#\r\n");
        write("dupont.dico", "\xEF\xBB\xBF<NOM>=\xC2\xA7nom\xC2\xA7\r\n");
        write("EXTERNE.DICO", "<NOM>=ext\r\n");
        write("notes.txt", "<NOM>=x\r\n");
        write("@TA.TXT", "*** <TA> ***\r\nD\xE9" "finition : Tension art\xE9" "rielle \r\n");
        write("@vide.txt", "*** <VIDE> ***\r\nD\xE9" "finition : \r\n");
        const QList<KeptDictionary> kept = ReadKeptDictionaries({dir.path(), dir.path() + "/."}, {"externe"});
        QCOMPARE(kept.size(), 2);
        QCOMPARE(kept[0].name, QString("Dr_Martin.DICO"));
        QCOMPARE(kept[1].name, QString("dupont.dico"));
        QCOMPARE(kept[1].lines, QStringList{"<NOM>=§nom§"});
        const QHash<QString, QString> definitions = ReadQuestionDefinitions(dir.path());
        QCOMPARE(definitions.size(), 1);
        QCOMPARE(definitions.value("TA"), QString("Tension artérielle"));
        QCOMPARE(QuestionDefinition({"*** <X> ***", "Definition:Nom de famille"}), QString("Nom de famille"));
    }
};

QTEST_GUILESS_MAIN(CodeRecognitionTest)
#include "TestCodeRecognition.moc"
