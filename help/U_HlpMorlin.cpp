#include "help/U_HlpMorlin.h"

#include "core/U_Glb.h"

#include <array>

namespace {
// The tree nodes with a text, in the order of their block numbers.
const std::array<const char*, HelpTopicCount> kTopicNodes = {
    "Tarvelle",        "Mnemo",      "Traceur",     "Enregistrement", "Presse-papier",
    "Position",        "Couleurs",   "Automatique", "Manuelle",       "Nouveau Mnemo",
    "Nouveau Traceur", "Impression", "Affichage",   "Alarme"};

QString Rule()
{
    return RepeatText(QStringLiteral("-"), 80);
}

QStringList Head(const QString& topic)
{
    return {QStringLiteral("- Aide \"%1\"").arg(topic), Rule()};
}

QStringList Empty(int count)
{
    return QStringList(count, QString());
}

// Lines that several topics repeat word for word.
QStringList ManualSaveLines()
{
    return {QStringLiteral("Traceur arrêté, le bouton \"OK\" (ou \"X\" quand des"),
            QStringLiteral("modifications sont détectées) enregistre, après"),
            QStringLiteral("confirmation, le Mnemo dans Tarvelle.txt et la"),
            QStringLiteral("trace dans Traceur.csv.")};
}

QStringList SaveFolderLines()
{
    return {QStringLiteral("Les sauvegardes se font toujours dans le répertoire"),
            QStringLiteral("de tarvelle ($TARVELLE_HOME s'il est défini ; "
                           "~/.local/share/Tarvelle si ce répertoire est protégé).")};
}

QString OptionsLine()
{
    return QStringLiteral("*Options : bouton carré au-dessus de celui du calendrier");
}

QString DatedCopyLine()
{
    return QStringLiteral("de la date et de l'heure d'enregistement.");
}

QStringList TarvelleBlock()
{
    return Head(QStringLiteral("Tarvelle")) +
           QStringList{
               QStringLiteral("Tarvelle s'adresse surtout aux professionnel(le)s."),
               QStringLiteral("Il garde la trace de votre travail sur le PC : quelles"),
               QStringLiteral("applications, quand et combien de temps, jour après jour."),
               QStringLiteral("C'est aussi un aide-mémoire silencieux : le Mnemo recueille"),
               QStringLiteral("vos copies, vos notes et les chemins de vos fichiers,"),
               QStringLiteral("sans jamais vous déranger."),
               QStringLiteral("C'est enfin une alarme, qui vous rappelle vos rendez-vous."),
               Rule(),
               QStringLiteral("POUR LANCER LE TRACEUR : CLIQUER SUR LE BOUTON"),
               QStringLiteral("À GAUCHE DE L'ÉTIQUETTE DE LA MARQUE."),
               QStringLiteral("UN VOYANT JAUNE S'ALLUME ALORS."),
               QStringLiteral("[Le traceur peut aussi démarrer tout seul : option"),
               QStringLiteral("\"Lancer Traceur au démarrage\".]"),
               Rule(),
               QStringLiteral("Pour quitter : arrêter d'abord le traceur en cliquant"),
               QStringLiteral("sur le voyant jaune, s'il est allumé,"),
               QStringLiteral("puis cliquer sur le bouton \"X\"."),
               Rule(),
               QStringLiteral("Pour désinstaller : décocher \"Lancer Tarvelle au démarrage de "
                              "Windows\""),
               QStringLiteral("(l'entrée du dossier autostart du bureau s'efface), quitter,"),
               QStringLiteral("puis supprimer le répertoire de tarvelle et celui des sauvegardes."),
               QStringLiteral("Pour en savoir plus : le fichier README.md du projet."),
               QStringLiteral("Questions et remarques : aux mainteneurs du projet, par son dépôt."),
           };
}

QStringList MnemoBlock()
{
    return Head(QStringLiteral("Mnemo")) +
           QStringList{
               QStringLiteral("Le Mnemo est là pour capturer vos Ctrl+C ainsi"),
               QStringLiteral("que ce que vous voudrez y noter. C'est précieux !"),
               QStringLiteral("Déposez-y l'icône d'un fichier : son chemin complet"),
               QStringLiteral("s'y inscrit, pour savoir où il se trouve."),
               QStringLiteral("Ce que vous tapez dans la case \"Sujet\" de la fenêtre"),
               QStringLiteral("principale y entre sur un double-clic ou sur Entrée."),
               QStringLiteral("Le Mnemo est enregistré dans le fichier Tarvelle.txt."),
           } +
           Empty(1);
}

QStringList TraceurBlock()
{
    return Head(QStringLiteral("Traceur")) +
           QStringList{
               QStringLiteral("Le Traceur enregistre le temps passé dans chaque"),
               QStringLiteral("application, jour par jour, dans le fichier Traceur.csv"),
               QStringLiteral("du répertoire du programme, qu'un tableur sait ouvrir."),
               QStringLiteral("Il démarre avec le bouton à gauche de l'étiquette de"),
               QStringLiteral("la marque ; un voyant jaune vif montre qu'il tourne."),
               QStringLiteral("Pour l'arrêter, cliquer sur ce voyant ; pour quitter,"),
               QStringLiteral("cliquer ensuite sur le bouton \"X\"."),
               Rule(),
               QStringLiteral("Ouvrir Traceur.csv dans un tableur : type CSV,"),
               QStringLiteral("séparateur point-virgule, jeu de caractères"),
               QStringLiteral("Windows-1252 (UTF-8 s'il contient d'autres caractères)."),
               QStringLiteral("Tarvelle réécrit ce fichier à chaque enregistrement :"),
               QStringLiteral("le quitter avant de modifier le fichier dans le tableur,"),
               QStringLiteral("puis l'enregistrer en CSV, point-virgule en séparateur."),
               QStringLiteral("Garder les dates en jj/mm/aaaa et les heures en"),
               QStringLiteral("hh:mm:ss : Tarvelle relit ces textes tels quels, et"),
               QStringLiteral("seul ce format lui permet de calculer une durée"),
               QStringLiteral("exacte. [Voir aussi : Distinction fichiers in OPTIONS]"),
           };
}

QStringList EnregistrementBlock()
{
    return Head(QStringLiteral("Enregistrement")) + ManualSaveLines() +
           QStringList{
               QStringLiteral("Traceur en marche, une option* les enregistre"),
               QStringLiteral("toutes les 5 minutes."),
               OptionsLine(),
               Rule(),
               QStringLiteral("L'option qui lance le traceur au démarrage du"),
               QStringLiteral("programme, \"Lancer Traceur au démarrage\", se trouve"),
               QStringLiteral("dans le sous-menu \"Enregistrements & Démarrage\"."),
           } +
           Empty(2);
}

QStringList PressePapierBlock()
{
    return Head(QStringLiteral("Presse-papier")) +
           QStringList{
               QStringLiteral("Quand l'option \"Presse-papier\" est cochée, le texte"),
               QStringLiteral("de chacun de vos Ctrl+C s'inscrit dans le Mnemo."),
               QStringLiteral("Les répétitions peuvent être évitées en"),
               QStringLiteral("cochant l'option correspondante."),
               QString(),
               OptionsLine(),
           } +
           Empty(2);
}

QStringList PositionBlock()
{
    return Head(QStringLiteral("Position")) +
           QStringList{
               QStringLiteral("L'option \"Conserve position par défaut\" rend, au"),
               QStringLiteral("lancement suivant, les couleurs, les positions"),
               QStringLiteral("et options telles qu'à leur dernière utilisation."),
           } +
           Empty(5);
}

QStringList CouleursBlock()
{
    return Head(QStringLiteral("Couleurs")) +
           QStringList{
               QStringLiteral("Les 4 boutons à droite de \"OK\" changent les"),
               QStringLiteral("couleurs principales : le dégradé du fond et le fond"),
               QStringLiteral("du texte, au hasard ou par défaut."),
               QStringLiteral("Le bouton sous l'étiquette de la marque change"),
               QStringLiteral("la couleur de la fonte."),
               QStringLiteral("Un clic droit sur le mot Tarvelle change la couleur"),
               QStringLiteral("de ce mot et des titres du Traceur et du Mnemo."),
           } +
           Empty(1);
}

QStringList AutomatiqueBlock()
{
    return Head(QStringLiteral("Sauvegarde automatique")) +
           QStringList{
               QStringLiteral("L'option \"Sauvegarde auto sur traçage (5 mn)\""),
               QStringLiteral("assure, pendant le traçage, l'enregistrement de Tarvelle.txt"),
               QStringLiteral("et de Traceur.csv toutes les 5 minutes."),
               QString(),
           } +
           SaveFolderLines() + Empty(2);
}

QStringList ManuelleBlock()
{
    return Head(QStringLiteral("Sauvegarde manuelle")) + ManualSaveLines() + SaveFolderLines() +
           Empty(2);
}

QStringList NouveauMnemoBlock()
{
    return QStringList{
               QStringLiteral("- Aide \"Nouveau Mnemo\""),
               QString(),
               QStringLiteral("\"Nouveau Mnemo\" (menu des options) sauvegarde le Mnemo"),
               QStringLiteral("précédent selon l'option correspondante."),
               QStringLiteral("La copie se nomme Tarvelle_ suivi"),
               DatedCopyLine(),
           } +
           SaveFolderLines() +
           QStringList{
               QStringLiteral("Un autre fichier se charge avec le bouton placé"),
               QStringLiteral("devant le mot Tarvelle."),
           };
}

QStringList NouveauTraceurBlock()
{
    return Head(QStringLiteral("Nouveau Traceur")) +
           QStringList{
               QStringLiteral("Traceur inactif, le bouton à droite du mot \"Traceur\""),
               QStringLiteral("enregistre la trace actuelle et en commence une vierge."),
               QStringLiteral("La copie se nomme \"Traceur\" suivi"),
               DatedCopyLine(),
               QString(),
           } +
           SaveFolderLines() +
           QStringList{
               Rule(),
               QStringLiteral("La fenêtre du Traceur se masque quand"),
               QStringLiteral("\"traceur.csv\" est renouvelé ; le bouton \"Traceur\""),
               QStringLiteral("de la fenêtre principale la fait réapparaître."),
           } +
           Empty(2);
}

QStringList ImpressionBlock()
{
    return Head(QStringLiteral("Impression")) +
           QStringList{
               QStringLiteral("Le bouton en haut à droite du Traceur ouvre la"),
               QStringLiteral("fenêtre \"Journal\" : un onglet par jour, avec le"),
               QStringLiteral("temps total de la journée."),
               QStringLiteral("Son bouton \"Impression\" imprime toute la trace"),
               QStringLiteral("ou seulement un jour."),
               QStringLiteral("Sans imprimante, Tarvelle en fait un PDF et dit où."),
           } +
           Empty(2);
}

QStringList AffichageBlock()
{
    return Head(QStringLiteral("Affichage")) +
           QStringList{
               QStringLiteral("Pendant le traçage, les boutons de la fenêtre"),
               QStringLiteral("principale sont désactivés, sauf l'affichage du"),
               QStringLiteral("Mnemo et celui du Traceur."),
               QStringLiteral("Traceur arrêté, passer la souris sur la fenêtre"),
               QStringLiteral("principale montre les boutons disponibles."),
               QStringLiteral("Un bouton spécial sous l'horloge affiche ou cache"),
               QStringLiteral("les info-bulles."),
               Rule(),
               QStringLiteral("Les colonnes du Traceur se modifient : leur largeur"),
               QStringLiteral("à la souris, le texte d'une case par un double-clic ;"),
               QStringLiteral("il est enregistré tel qu'il a été tapé."),
               Rule(),
               QStringLiteral("Un double-clic sur le mot Tarvelle, ou un clic sur"),
               QStringLiteral("l'icône de la zone de notification, cache le"),
               QStringLiteral("programme ; un nouveau clic sur l'icône le"),
               QStringLiteral("fait réapparaître."),
           } +
           Empty(2);
}

QStringList AlarmeBlock()
{
    return Head(QStringLiteral("Alarme")) +
           QStringList{
               QStringLiteral("Un clic droit sur l'horloge ouvre la gestion"),
               QStringLiteral("des alarmes."),
               Rule(),
               QStringLiteral("Un carré rouge et jaune apparaît quand une alarme"),
               QStringLiteral("se déclenche ; un clic dessus affiche la ou les"),
               QStringLiteral("alarmes du moment."),
               Rule(),
               QStringLiteral("La date et l'heure choisies sont le moment où"),
               QStringLiteral("l'alarme se déclenche ; le texte saisi sous \"Objet\""),
               QStringLiteral("réapparaît alors."),
               QStringLiteral("Un double-clic sur l'heure ouvre un cadran où"),
               QStringLiteral("cliquer l'heure, puis les minutes."),
               Rule(),
               QStringLiteral("Le fichier des alarmes, \"breakPoint.csv\", ne doit"),
               QStringLiteral("pas être modifié à la main."),
               QStringLiteral("Les alarmes passées sont automatiquement effacées."),
           } +
           Empty(2);
}
} // namespace

QStringList HelpTopicBlock(int n)
{
    using TBlock = QStringList (*)();
    static constexpr std::array<TBlock, HelpTopicCount> kBlocks = {
        TarvelleBlock,     MnemoBlock,        TraceurBlock,        EnregistrementBlock,
        PressePapierBlock, PositionBlock,     CouleursBlock,       AutomatiqueBlock,
        ManuelleBlock,     NouveauMnemoBlock, NouveauTraceurBlock, ImpressionBlock,
        AffichageBlock,    AlarmeBlock};
    if (n < 1 || n > HelpTopicCount)
        return {};
    return kBlocks[static_cast<std::size_t>(n - 1)]();
}

int HelpTopicOfNode(const QString& nodeText)
{
    for (std::size_t i = 0; i < kTopicNodes.size(); ++i)
        if (nodeText == QLatin1String(kTopicNodes[i]))
            return static_cast<int>(i) + 1;
    return 0;
}
