<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>KorvatHistory</name>
    <message>
        <source>Two tests of this run have keys of one hash: the run was not recorded</source>
        <translation>Deux tests de cette exécution ont des clés de même empreinte : l&apos;exécution n&apos;a pas été enregistrée</translation>
    </message>
    <message>
        <source>new failure</source>
        <translation>nouvel échec</translation>
    </message>
    <message>
        <source>still failing</source>
        <translation>toujours en échec</translation>
    </message>
    <message>
        <source>fixed</source>
        <translation>corrigé</translation>
    </message>
    <message>
        <source>flaky</source>
        <translation>instable</translation>
    </message>
    <message>
        <source>stable</source>
        <translation>stable</translation>
    </message>
    <message>
        <source>still failing (since %1)</source>
        <translation>toujours en échec (depuis %1)</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>Invalid PostgreSQL address %1: %2</source>
        <translation>Adresse PostgreSQL %1 invalide : %2</translation>
    </message>
    <message>
        <source>The history database address must not hold a password: put it in PGPASSWORD or ~/.pgpass instead</source>
        <translation>L&apos;adresse de la base d&apos;historique ne doit pas contenir de mot de passe : mettez-le plutôt dans PGPASSWORD ou ~/.pgpass</translation>
    </message>
    <message>
        <source>Invalid PostgreSQL address %1: the database name cannot contain &apos;/&apos;</source>
        <translation>Adresse PostgreSQL %1 invalide : le nom de la base ne peut pas contenir « / »</translation>
    </message>
    <message>
        <source>Invalid port in the PostgreSQL address %1</source>
        <translation>Port invalide dans l&apos;adresse PostgreSQL %1</translation>
    </message>
    <message>
        <source>Unknown parameter %1 in the PostgreSQL address: only host, port, user and dbname are read</source>
        <translation>Paramètre %1 inconnu dans l&apos;adresse PostgreSQL : seuls host, port, user et dbname sont lus</translation>
    </message>
    <message>
        <source>The SQLite address %1 names no file</source>
        <translation>L&apos;adresse SQLite %1 ne nomme aucun fichier</translation>
    </message>
    <message>
        <source>Unknown history database address %1: use sqlite:PATH or postgresql://user@host:port/dbname</source>
        <translation>Adresse de base d&apos;historique %1 inconnue : utilisez sqlite:CHEMIN ou postgresql://utilisateur@hôte:port/base</translation>
    </message>
    <message>
        <source>added</source>
        <translation>ajouté</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>retiré</translation>
    </message>
    <message>
        <source>runs (oldest first): %1
</source>
        <translation>exécutions (la plus ancienne en premier) : %1
</translation>
    </message>
    <message>
        <source>fails</source>
        <translation>échecs</translation>
    </message>
    <message>
        <source>flips</source>
        <translation>bascules</translation>
    </message>
    <message>
        <source>Qt&apos;s PostgreSQL driver (QPSQL) is not installed: install libqt6sql6-psql</source>
        <translation>Le pilote PostgreSQL de Qt (QPSQL) n&apos;est pas installé : installez libqt6sql6-psql</translation>
    </message>
    <message>
        <source>Cannot connect to the history database %1: %2</source>
        <translation>Impossible de se connecter à la base d&apos;historique %1 : %2</translation>
    </message>
    <message>
        <source>History database %1: %2</source>
        <translation>Base d&apos;historique %1 : %2</translation>
    </message>
    <message>
        <source>Cannot read the history database %1: %2</source>
        <translation>Impossible de lire la base d&apos;historique %1 : %2</translation>
    </message>
    <message>
        <source>%1 holds a table named %2 but is not a korvat history database</source>
        <translation>%1 contient une table nommée %2 mais n&apos;est pas une base d&apos;historique korvat</translation>
    </message>
    <message>
        <source>The history database %1 has schema version %2, newer than the version %3 this korvat knows: use a newer korvat</source>
        <translation>La base d&apos;historique %1 a la version de schéma %2, plus récente que la version %3 que connaît ce korvat : utilisez un korvat plus récent</translation>
    </message>
    <message>
        <source>A run cannot be recorded without its content hash</source>
        <translation>Une exécution ne peut pas être enregistrée sans l&apos;empreinte de son contenu</translation>
    </message>
    <message>
        <source>The history database %1 stayed busy: the run was not recorded</source>
        <translation>La base d&apos;historique %1 est restée occupée : l&apos;exécution n&apos;a pas été enregistrée</translation>
    </message>
    <message>
        <source>History database %1: the new run was not stored</source>
        <translation>Base d&apos;historique %1 : la nouvelle exécution n&apos;a pas été stockée</translation>
    </message>
    <message>
        <source>History database %1: a new test was not stored</source>
        <translation>Base d&apos;historique %1 : un nouveau test n&apos;a pas été stocké</translation>
    </message>
    <message>
        <source>History database %1 holds an unknown verdict %2</source>
        <translation>La base d&apos;historique %1 contient un verdict inconnu %2</translation>
    </message>
    <message>
        <source>No run %1 is recorded in %2</source>
        <translation>Aucune exécution %1 n&apos;est enregistrée dans %2</translation>
    </message>
    <message>
        <source>Qt&apos;s SQLite driver (QSQLITE) is not installed: install libqt6sql6-sqlite</source>
        <translation>Le pilote SQLite de Qt (QSQLITE) n&apos;est pas installé : installez libqt6sql6-sqlite</translation>
    </message>
    <message>
        <source>Cannot create the folder %1 for the history database</source>
        <translation>Impossible de créer le dossier %1 de la base d&apos;historique</translation>
    </message>
    <message>
        <source>Cannot open the history database %1: %2</source>
        <translation>Impossible d&apos;ouvrir la base d&apos;historique %1 : %2</translation>
    </message>
    <message>
        <source>The history database %1 is not a file</source>
        <translation>La base d&apos;historique %1 n&apos;est pas un fichier</translation>
    </message>
    <message>
        <source>The history database %1 is damaged or not an SQLite file (left untouched): %2</source>
        <translation>La base d&apos;historique %1 est endommagée ou n&apos;est pas un fichier SQLite (laissée intacte) : %2</translation>
    </message>
    <message>
        <source>History database %1: the results of run %2 are damaged</source>
        <translation>Base d&apos;historique %1 : les résultats de l&apos;exécution %2 sont endommagés</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
</context>
<context>
    <name>PreferenceEmptyPage</name>
    <message>
        <source>There is nothing to set on this page.</source>
        <translation>Cette page n&apos;a aucun réglage.</translation>
    </message>
</context>
<context>
    <name>QAColorButton</name>
    <message>
        <source>Select Color</source>
        <translation>Choisir une couleur</translation>
    </message>
</context>
<context>
    <name>QAReporter</name>
    <message>
        <source>Unable to open the report file &apos;%1&apos;</source>
        <translation>Impossible d&apos;ouvrir le fichier de rapport « %1 »</translation>
    </message>
</context>
<context>
    <name>QAFileUtil</name>
    <message>
        <source>No such file</source>
        <translation>Fichier inexistant</translation>
    </message>
    <message>
        <source>Is a folder, not a file</source>
        <translation>C&apos;est un dossier, pas un fichier</translation>
    </message>
    <message>
        <source>Not a regular file (a named pipe, socket or device)</source>
        <translation>Pas un fichier ordinaire (tube nommé, socket ou périphérique)</translation>
    </message>
</context>
<context>
    <name>QAResXml</name>
    <message>
        <source>The resource file is larger than %1 bytes.</source>
        <translation>Le fichier de ressources dépasse %1 octets.</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Ligne %1 : %2</translation>
    </message>
    <message>
        <source>document type declarations are not allowed</source>
        <translation>les déclarations de type de document ne sont pas autorisées</translation>
    </message>
    <message>
        <source>entity references are not allowed</source>
        <translation>les références d&apos;entité ne sont pas autorisées</translation>
    </message>
    <message>
        <source>the document is not a resource file</source>
        <translation>le document n&apos;est pas un fichier de ressources</translation>
    </message>
    <message>
        <source>resources are nested deeper than %1 levels</source>
        <translation>les ressources sont imbriquées sur plus de %1 niveaux</translation>
    </message>
    <message>
        <source>a value element cannot hold other elements</source>
        <translation>un élément de valeur ne peut pas contenir d&apos;autres éléments</translation>
    </message>
    <message>
        <source>more than one resource at the top level</source>
        <translation>plus d&apos;une ressource au premier niveau</translation>
    </message>
    <message>
        <source>The resource file holds no resource.</source>
        <translation>Le fichier de ressources ne contient aucune ressource.</translation>
    </message>
    <message>
        <source>missing &quot;tag&quot; attribute</source>
        <translation>attribut « tag » manquant</translation>
    </message>
    <message>
        <source>missing &quot;%1&quot; attribute</source>
        <translation>attribut « %1 » manquant</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an integer</source>
        <translation>« %1 » n&apos;est pas un entier</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a boolean</source>
        <translation>« %1 » n&apos;est pas un booléen</translation>
    </message>
    <message>
        <source>colour component %1 is out of range 0 to 255</source>
        <translation>la composante de couleur %1 n&apos;est pas comprise entre 0 et 255</translation>
    </message>
    <message>
        <source>unknown element &lt;%1&gt;</source>
        <translation>élément &lt;%1&gt; inconnu</translation>
    </message>
</context>
<context>
    <name>QAViewerFindDialog</name>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Texte :</translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>Respecter la casse</translation>
    </message>
    <message>
        <source>Whole words</source>
        <translation>Mots entiers</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Expression régulière</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>XrdCommandLine</name>
    <message>
        <source>%1 cannot be combined with another mode</source>
        <translation>%1 ne peut pas être combiné avec un autre mode</translation>
    </message>
    <message>
        <source>--hide-type needs a node type</source>
        <translation>--hide-type exige un type de nœud</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>option %1 inconnue</translation>
    </message>
    <message>
        <source>no report file given</source>
        <translation>aucun fichier de rapport indiqué</translation>
    </message>
    <message>
        <source>--export-html needs a folder</source>
        <translation>--export-html exige un dossier</translation>
    </message>
    <message>
        <source>--failed-only and --hide-type go with --print-tree, --print-text or --export-html</source>
        <translation>--failed-only et --hide-type s&apos;emploient avec --print-tree, --print-text ou --export-html</translation>
    </message>
    <message>
        <source>Viewing:</source>
        <translation>Affichage :</translation>
    </message>
    <message>
        <source>Printing (to standard output, no display needed):</source>
        <translation>Impression (sur la sortie standard, sans affichage) :</translation>
    </message>
    <message>
        <source>Exporting:</source>
        <translation>Export :</translation>
    </message>
    <message>
        <source>Outputs:</source>
        <translation>Sorties :</translation>
    </message>
    <message>
        <source>History:</source>
        <translation>Historique :</translation>
    </message>
    <message>
        <source>General:</source>
        <translation>Général :</translation>
    </message>
    <message>
        <source>Show failed tests only.</source>
        <translation>N&apos;affiche que les tests en échec.</translation>
    </message>
    <message>
        <source>TYPE</source>
        <translation>TYPE</translation>
    </message>
    <message>
        <source>Hide the nodes of TYPE, as the Commands menu does; repeatable, also --hide-type=TYPE.</source>
        <translation>Masque les nœuds de type TYPE, comme le menu Commandes&#xa0;; répétable, aussi --hide-type=TYPE.</translation>
    </message>
    <message>
        <source>Print the passed and failed totals; exit status 1 when a test failed.</source>
        <translation>Affiche les totaux de tests réussis et en échec&#xa0;; code de sortie 1 si un test a échoué.</translation>
    </message>
    <message>
        <source>Print the report tree, two spaces per level.</source>
        <translation>Affiche l&apos;arbre du rapport, deux espaces par niveau.</translation>
    </message>
    <message>
        <source>Print the results table, cells separated by tabs.</source>
        <translation>Affiche le tableau des résultats, cellules séparées par des tabulations.</translation>
    </message>
    <message>
        <source>Print the report text.</source>
        <translation>Affiche le texte du rapport.</translation>
    </message>
    <message>
        <source>DIR</source>
        <translation>DOSSIER</translation>
    </message>
    <message>
        <source>Write the reports, the reports they link to and the summary as HTML pages into DIR and print their paths; exit status as --summary.</source>
        <translation>Écrit en pages HTML dans DOSSIER les rapports, ceux vers lesquels ils pointent et la synthèse, et affiche leurs chemins&#xa0;; code de sortie comme --summary.</translation>
    </message>
    <message>
        <source>Show this text.</source>
        <translation>Affiche cette aide.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Affiche la version.</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 ne prend pas de valeur</translation>
    </message>
    <message>
        <source>Usage: xrdview [FILE...]
       xrdview --summary FILE...
       xrdview --print-tree [--failed-only] [--hide-type TYPE]... FILE...
       xrdview --print-summary FILE...
       xrdview --print-text [--failed-only] [--hide-type TYPE]... FILE...
       xrdview --export-html DIR [--failed-only] [--hide-type TYPE]... FILE...
</source>
        <translation>Usage : xrdview [FICHIER...]
        xrdview --summary FICHIER...
        xrdview --print-tree [--failed-only] [--hide-type TYPE]... FICHIER...
        xrdview --print-summary FICHIER...
        xrdview --print-text [--failed-only] [--hide-type TYPE]... FICHIER...
        xrdview --export-html DOSSIER [--failed-only] [--hide-type TYPE]...
                FICHIER...
</translation>
    </message>
    <message>
        <source>Shows test reports: XRD reports and JUnit XML results, Qt Test&apos;s XML and lightxml output and Catch2&apos;s XML reporter output, each file read as the format its content is in. Without a mode option the files open in the viewer window; the printing and exporting modes need no display. A file whose name starts with &apos;-&apos; goes after &apos;--&apos;, which ends the options.</source>
        <translation>Affiche des rapports de test&#xa0;: rapports XRD et résultats JUnit XML, sorties XML et lightxml de Qt Test et sortie du rapporteur XML de Catch2, chaque fichier lu selon le format de son contenu. Sans option de mode, les fichiers s&apos;ouvrent dans la fenêtre de la visionneuse&#xa0;; les modes d&apos;impression et d&apos;export n&apos;ont pas besoin d&apos;affichage. Un fichier dont le nom commence par «&#xa0;-&#xa0;» se place après «&#xa0;--&#xa0;», qui termine les options.</translation>
    </message>
    <message>
        <source>Exit status: 0 when every file was read, 1 when --summary counted a failed test, 2 for wrong arguments, a file that could not be read or a folder that could not be written.</source>
        <translation>Code de sortie&#xa0;: 0 si chaque fichier a été lu, 1 si --summary a compté un test en échec, 2 pour des arguments erronés, un fichier qui n&apos;a pas pu être lu ou un dossier où rien n&apos;a pu être écrit.</translation>
    </message>
    <message>
        <source>Environment: XRDVIEW_PLUGIN_PATH (directories searched first for the plug-in, separated by &apos;:&apos;), XRDVIEW_EDITOR (command opening source links, %f is the file and %l the line).</source>
        <translation>Environnement&#xa0;: XRDVIEW_PLUGIN_PATH (dossiers où chercher d&apos;abord le plug-in, séparés par «&#xa0;:&#xa0;»), XRDVIEW_EDITOR (commande qui ouvre les liens vers les sources, %f désigne le fichier et %l la ligne).</translation>
    </message>
    <message>
        <source>--compare needs two report files, the older one first</source>
        <translation>--compare demande deux fichiers de rapport, le plus ancien d&apos;abord</translation>
    </message>
    <message>
        <source>Compare two reports, the older first: new failures, fixed, still failing, added and removed tests; exit status 1 when a test fails that did not fail before.</source>
        <translation>Comparer deux rapports, le plus ancien d&apos;abord : nouveaux échecs, tests corrigés, toujours en échec, ajoutés et retirés ; code de sortie 1 quand un test échoue qui n&apos;échouait pas avant.</translation>
    </message>
    <message>
        <source>Test runners&apos; own formats read as well: TAP streams (*.tap: prove, node --test and other TAP 13/14 producers), GoogleTest JSON (--gtest_output=json) and CTRF JSON reports (*.json).</source>
        <translation>Les formats propres aux lanceurs de tests sont lus aussi : flux TAP (*.tap : prove, node --test et les autres producteurs TAP 13/14), JSON de GoogleTest (--gtest_output=json) et rapports CTRF JSON (*.json).</translation>
    </message>
    <message>
        <source>Shows test reports: XRD reports and JUnit XML results, each file read as the format its content is in. Without a mode option the files open in the viewer window; the printing and exporting modes need no display. A file whose name starts with &apos;-&apos; goes after &apos;--&apos;, which ends the options.</source>
        <translation>Affiche des rapports de test&#xa0;: rapports XRD et résultats JUnit XML, chaque fichier lu selon le format de son contenu. Sans option de mode, les fichiers s&apos;ouvrent dans la fenêtre de la visionneuse&#xa0;; les modes d&apos;impression et d&apos;export n&apos;ont pas besoin d&apos;affichage. Un fichier dont le nom commence par «&#xa0;-&#xa0;» se place après «&#xa0;--&#xa0;», qui termine les options.</translation>
    </message>
    <message>
        <source>--compare-runs needs two run ids, the older one first</source>
        <translation>--compare-runs attend deux numéros d&apos;exécution, le plus ancien d&apos;abord</translation>
    </message>
    <message>
        <source>--db goes with --record, --history or --compare-runs</source>
        <translation>--db s&apos;emploie avec --record, --history ou --compare-runs</translation>
    </message>
    <message>
        <source>--db needs a store address</source>
        <translation>--db attend l&apos;adresse d&apos;un historique</translation>
    </message>
    <message>
        <source>--history takes one path prefix at most</source>
        <translation>--history accepte au plus un préfixe de chemin</translation>
    </message>
    <message>
        <source>--label goes with --record</source>
        <translation>--label s&apos;emploie avec --record</translation>
    </message>
    <message>
        <source>--last goes with --history</source>
        <translation>--last s&apos;emploie avec --history</translation>
    </message>
    <message>
        <source>--last needs a positive number of runs</source>
        <translation>--last attend un nombre d&apos;exécutions positif</translation>
    </message>
    <message>
        <source>--to needs text, markdown or json</source>
        <translation>--to attend text, markdown ou json</translation>
    </message>
    <message>
        <source>Compare two recorded runs given by id, the older first, as --compare does.</source>
        <translation>Compare deux exécutions enregistrées, données par leur numéro, la plus ancienne d&apos;abord, comme le fait --compare.</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMAT</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXTE</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Print each test whose path starts with the argument, if one is given: its verdicts over the last runs oldest first, fail count, flips and state.</source>
        <translation>Affiche chaque test dont le chemin commence par l&apos;argument, s&apos;il est donné : ses verdicts sur les dernières exécutions, de la plus ancienne à la plus récente, son nombre d&apos;échecs, ses bascules et son état.</translation>
    </message>
    <message>
        <source>Record the reports as one run of the history store and print its id; the same content recorded twice is one run. Exit status as --summary.</source>
        <translation>Enregistre les rapports comme une exécution dans l&apos;historique et affiche son numéro ; le même contenu enregistré deux fois ne fait qu&apos;une exécution. Code de sortie comme pour --summary.</translation>
    </message>
    <message>
        <source>The history store: sqlite:PATH or postgresql://user@host:port/dbname. Default: KORVAT_DB, else korvat/history.sqlite in the user&apos;s data folder.</source>
        <translation>L&apos;historique : sqlite:CHEMIN ou postgresql://utilisateur@hôte:port/base. Par défaut : KORVAT_DB, sinon korvat/history.sqlite dans le dossier de données de l&apos;utilisateur.</translation>
    </message>
    <message>
        <source>The label of the recorded run, such as a build number.</source>
        <translation>Le libellé de l&apos;exécution enregistrée, par exemple un numéro de build.</translation>
    </message>
    <message>
        <source>The number of runs --history shows (10 by default).</source>
        <translation>Le nombre d&apos;exécutions qu&apos;affiche --history (10 par défaut).</translation>
    </message>
    <message>
        <source>Write the results for CI: junit (JUnit XML), ctrf (CTRF JSON), markdown (a job summary) or github (workflow annotations); exit status as --summary. With --history: text (the default), markdown or json.</source>
        <translation>Écrire les résultats pour l&apos;intégration continue : junit (XML JUnit), ctrf (JSON CTRF), markdown (un résumé de tâche) ou github (annotations de workflow) ; code de sortie comme --summary. Avec --history : text (par défaut), markdown ou json.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>Write the --to output into FILE instead of standard output.</source>
        <translation>Écrire la sortie de --to dans FICHIER au lieu de la sortie standard.</translation>
    </message>
    <message>
        <source>Let --summary and --to pass when no test case is found; without it that is exit status 1.</source>
        <translation>Laisser passer --summary et --to quand aucun cas de test n&apos;est trouvé ; sans cette option, le code de sortie est 1.</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 attend une valeur</translation>
    </message>
    <message>
        <source>Write the reports, the reports they link to and the summary as HTML pages into DIR and print their paths.</source>
        <translation>Écrit en pages HTML dans DOSSIER les rapports, ceux vers lesquels ils pointent et la synthèse, et affiche leurs chemins.</translation>
    </message>
</context>
<context>
    <name>XrdCommandTracker</name>
    <message>
        <source>The description could not be written to a temporary file: %1</source>
        <translation>La description n&apos;a pas pu être écrite dans un fichier temporaire : %1</translation>
    </message>
    <message>
        <source>No tracker command is configured.</source>
        <translation>Aucune commande de gestionnaire d&apos;anomalies n&apos;est configurée.</translation>
    </message>
    <message>
        <source>The headline starts with &quot;%1&quot;, which the tracker command would read as an option. Change the headline.</source>
        <translation>Le titre commence par « %1 », que la commande du gestionnaire d&apos;anomalies lirait comme une option. Modifiez le titre.</translation>
    </message>
    <message>
        <source>The tracker command &quot;%1&quot; could not be started: %2</source>
        <translation>La commande du gestionnaire d&apos;anomalies « %1 » n&apos;a pas pu être lancée : %2</translation>
    </message>
    <message>
        <source>The tracker command &quot;%1&quot; did not finish within %2 seconds and was stopped.</source>
        <translation>La commande du gestionnaire d&apos;anomalies « %1 » ne s&apos;est pas terminée en %2 secondes et a été arrêtée.</translation>
    </message>
    <message>
        <source>The tracker command &quot;%1&quot; crashed.</source>
        <translation>La commande du gestionnaire d&apos;anomalies « %1 » a planté.</translation>
    </message>
    <message>
        <source>The tracker command &quot;%1&quot; failed with exit code %2.</source>
        <translation>La commande du gestionnaire d&apos;anomalies « %1 » a échoué avec le code de sortie %2.</translation>
    </message>
    <message>
        <source>The description starts with &quot;%1&quot;, which the tracker command would read as an option. Change the description.</source>
        <translation>La description commence par « %1 », que la commande du gestionnaire d&apos;anomalies lirait comme une option. Modifiez la description.</translation>
    </message>
    <message>
        <source>The tracker command &quot;%1&quot; was stopped.</source>
        <translation>La commande du gestionnaire « %1 » a été arrêtée.</translation>
    </message>
</context>
<context>
    <name>XrdDefectClient</name>
    <message>
        <source>&lt;description file&gt;</source>
        <translation>&lt;fichier de description&gt;</translation>
    </message>
    <message>
        <source>command: %1</source>
        <translation>commande : %1</translation>
    </message>
    <message>
        <source>folder: %1</source>
        <translation>dossier : %1</translation>
    </message>
    <message>
        <source>none configured</source>
        <translation>aucun configuré</translation>
    </message>
    <message>
        <source>No defect form was created.</source>
        <translation>Aucun formulaire d&apos;anomalie n&apos;a été créé.</translation>
    </message>
    <message>
        <source>The attachment &quot;%1&quot; is not a readable file.</source>
        <translation>La pièce jointe « %1 » n&apos;est pas un fichier lisible.</translation>
    </message>
    <message>
        <source>No defect tracker is configured.</source>
        <translation>Aucun gestionnaire d&apos;anomalies n&apos;est configuré.</translation>
    </message>
    <message>
        <source>Defect not submitted: %1
</source>
        <translation>Anomalie non soumise : %1
</translation>
    </message>
    <message>
        <source>Defect submitted.
</source>
        <translation>Anomalie soumise.
</translation>
    </message>
    <message>
        <source>Defect submitted: %1
</source>
        <translation>Anomalie soumise : %1
</translation>
    </message>
</context>
<context>
    <name>XrdDefectDialog</name>
    <message>
        <source>&amp;Submit</source>
        <translation>&amp;Soumettre</translation>
    </message>
    <message>
        <source>New defect</source>
        <translation>Nouvelle anomalie</translation>
    </message>
    <message>
        <source>&amp;Headline:</source>
        <translation>&amp;Titre :</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Description :</translation>
    </message>
    <message>
        <source>Attachments:</source>
        <translation>Pièces jointes :</translation>
    </message>
    <message>
        <source>Tracker:</source>
        <translation>Gestionnaire d&apos;anomalies :</translation>
    </message>
    <message>
        <source>The defect needs a headline.</source>
        <translation>L&apos;anomalie doit avoir un titre.</translation>
    </message>
    <message>
        <source>Submitting the defect... Cancel stops the tracker command.</source>
        <translation>Envoi de l&apos;anomalie... Annuler arrête la commande du gestionnaire.</translation>
    </message>
</context>
<context>
    <name>XrdDefectPage</name>
    <message>
        <source>Defect tracker</source>
        <translation>Gestionnaire d&apos;anomalies</translation>
    </message>
    <message>
        <source>Where the &quot;New defect&quot; dialog submits defects.</source>
        <translation>Où la fenêtre « Nouvelle anomalie » soumet les anomalies.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Commande</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>%t is replaced by the headline, %d by the path of a file holding the description, %a by the attachment paths (one argument each), %% by a percent sign. The command runs without a shell: quotes group words, every replacement stays one argument. What it prints is shown in the Output dock.</source>
        <translation>%t est remplacé par le titre, %d par le chemin d&apos;un fichier contenant la description, %a par les chemins des pièces jointes (un argument chacun), %% par le signe pourcentage. La commande s&apos;exécute sans shell : les guillemets regroupent des mots et chaque remplacement reste un seul argument. Ce qu&apos;elle affiche apparaît dans le panneau Sortie.</translation>
    </message>
    <message>
        <source>Folder that receives one Markdown file per defect</source>
        <translation>Dossier qui reçoit un fichier Markdown par anomalie</translation>
    </message>
    <message>
        <source>Trace the tracker&apos;s command lines in the Output dock</source>
        <translation>Tracer les lignes de commande du gestionnaire dans le panneau Sortie</translation>
    </message>
    <message>
        <source>&amp;Tracker:</source>
        <translation>&amp;Gestionnaire :</translation>
    </message>
    <message>
        <source>&amp;Command:</source>
        <translation>&amp;Commande :</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Dossier :</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Choose the folder that receives the defects</source>
        <translation>Choisir le dossier qui reçoit les anomalies</translation>
    </message>
    <message>
        <source>Defect Folder</source>
        <translation>Dossier des anomalies</translation>
    </message>
    <message>
        <source>The defect tracker settings could not be saved to %1.</source>
        <translation>Les réglages du gestionnaire d&apos;anomalies n&apos;ont pas pu être enregistrés dans %1.</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>A tracker command still running after this time is stopped</source>
        <translation>Une commande du gestionnaire encore en cours après ce délai est arrêtée</translation>
    </message>
    <message>
        <source>&amp;Stop after:</source>
        <translation>&amp;Arrêter après :</translation>
    </message>
</context>
<context>
    <name>XrdFolderTracker</name>
    <message>
        <source>Defect</source>
        <translation>Anomalie</translation>
    </message>
    <message>
        <source>## Attachments</source>
        <translation>## Pièces jointes</translation>
    </message>
    <message>
        <source>No defect folder is configured.</source>
        <translation>Aucun dossier d&apos;anomalies n&apos;est configuré.</translation>
    </message>
    <message>
        <source>The defect folder &quot;%1&quot; could not be created.</source>
        <translation>Le dossier d&apos;anomalies « %1 » n&apos;a pas pu être créé.</translation>
    </message>
    <message>
        <source>The defect file &quot;%1&quot; could not be written: %2</source>
        <translation>Le fichier d&apos;anomalie « %1 » n&apos;a pas pu être écrit : %2</translation>
    </message>
    <message>
        <source>No free defect file name in &quot;%1&quot;.</source>
        <translation>Aucun nom de fichier d&apos;anomalie libre dans « %1 ».</translation>
    </message>
    <message>
        <source>The attachment &quot;%1&quot; could not be copied into &quot;%2&quot;.</source>
        <translation>La pièce jointe « %1 » n&apos;a pas pu être copiée dans « %2 ».</translation>
    </message>
</context>
<context>
    <name>XrdHeadlessRunner</name>
    <message>
        <source>The plug-in did not create a report window.</source>
        <translation>Le plug-in n&apos;a pas créé de fenêtre de rapport.</translation>
    </message>
    <message>
        <source>The report window cannot show failed tests only.</source>
        <translation>La fenêtre de rapport ne sait pas afficher uniquement les tests en échec.</translation>
    </message>
    <message>
        <source>The report window cannot hide node types.</source>
        <translation>La fenêtre de rapport ne sait pas masquer des types de nœuds.</translation>
    </message>
    <message>
        <source>The report window gave no results totals.</source>
        <translation>La fenêtre de rapport n&apos;a fourni aucun total de résultats.</translation>
    </message>
    <message>
        <source>The plug-in cannot read reports without a window.</source>
        <translation>Le module ne sait pas lire de rapports sans fenêtre.</translation>
    </message>
</context>
<context>
    <name>XrdHtmlExport</name>
    <message>
        <source>Exports all loaded reports, the reports they link to and the results summary.</source>
        <translation>Exporte tous les rapports chargés, les rapports vers lesquels ils pointent et la synthèse des résultats.</translation>
    </message>
    <message>
        <source>There is no report to export.</source>
        <translation>Il n&apos;y a aucun rapport à exporter.</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Impossible de créer le dossier %1.</translation>
    </message>
    <message>
        <source>Cannot write into the folder %1.</source>
        <translation>Impossible d&apos;écrire dans le dossier %1.</translation>
    </message>
    <message>
        <source>Exporting HTML...</source>
        <translation>Export HTML...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The export was cancelled.</source>
        <translation>L&apos;export a été annulé.</translation>
    </message>
    <message numerus="yes">
        <source>%n linked report(s) could not be read.</source>
        <translation>
            <numerusform>%n rapport lié n&apos;a pas pu être lu.</numerusform>
            <numerusform>%n rapports liés n&apos;ont pas pu être lus.</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was written to %1.</source>
        <translation>Rien n&apos;a été écrit dans %1.</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n file(s) to %1</source>
        <translation>
            <numerusform>%n fichier exporté dans %1</numerusform>
            <numerusform>%n fichiers exportés dans %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n page(s) could not be written.</source>
        <translation>
            <numerusform>%n page n&apos;a pas pu être écrite.</numerusform>
            <numerusform>%n pages n&apos;ont pas pu être écrites.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export HTML to Folder</source>
        <translation>Exporter en HTML dans un dossier</translation>
    </message>
    <message>
        <source>Export HTML</source>
        <translation>Exporter en HTML</translation>
    </message>
</context>
<context>
    <name>XrdMainWindow</name>
    <message>
        <source>xrdview</source>
        <translation>xrdview</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Structure</translation>
    </message>
    <message>
        <source>No report open</source>
        <translation>Aucun rapport ouvert</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>Open report files</source>
        <translation>Ouvrir des fichiers de rapport</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Ouvrir un fichier &amp;récent</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>Re&amp;charger</translation>
    </message>
    <message>
        <source>Read the shown reports again</source>
        <translation>Relire les rapports affichés</translation>
    </message>
    <message>
        <source>Save Report &amp;As...</source>
        <translation>Enregistrer le rapport &amp;sous...</translation>
    </message>
    <message>
        <source>Save a copy of the shown report files</source>
        <translation>Enregistrer une copie des fichiers de rapport affichés</translation>
    </message>
    <message>
        <source>&amp;Export All Reports as HTML...</source>
        <translation>&amp;Exporter tous les rapports en HTML...</translation>
    </message>
    <message>
        <source>Export every loaded report, the reports they link to and the results summary as HTML</source>
        <translation>Exporter en HTML chaque rapport chargé, les rapports vers lesquels ils pointent et la synthèse des résultats</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimer...</translation>
    </message>
    <message>
        <source>Print the shown report</source>
        <translation>Imprimer le rapport affiché</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Close the shown report</source>
        <translation>Fermer le rapport affiché</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Leave xrdview</source>
        <translation>Quitter xrdview</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Copy the selected report text</source>
        <translation>Copier le texte sélectionné du rapport</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Rechercher...</translation>
    </message>
    <message>
        <source>Search the report text</source>
        <translation>Rechercher dans le texte du rapport</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Show or hide the report tree</source>
        <translation>Afficher ou masquer l&apos;arbre du rapport</translation>
    </message>
    <message>
        <source>Show or hide the output pane</source>
        <translation>Afficher ou masquer le panneau de sortie</translation>
    </message>
    <message>
        <source>Show or hide the source pane</source>
        <translation>Afficher ou masquer le panneau des sources</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Configuration</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Préférences...</translation>
    </message>
    <message>
        <source>Change the viewer&apos;s preferences</source>
        <translation>Modifier les préférences de la visionneuse</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>&amp;About xrdview</source>
        <translation>À &amp;propos de xrdview</translation>
    </message>
    <message>
        <source>Show the version of xrdview</source>
        <translation>Afficher la version de xrdview</translation>
    </message>
    <message>
        <source>About the &amp;Plug-in</source>
        <translation>À propos du p&amp;lug-in</translation>
    </message>
    <message>
        <source>Show the loaded plug-in&apos;s names, version and date</source>
        <translation>Afficher les noms, la version et la date du plug-in chargé</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <source>The plug-in could not open a report window.</source>
        <translation>Le plug-in n&apos;a pas pu ouvrir de fenêtre de rapport.</translation>
    </message>
    <message>
        <source>%1 - xrdview</source>
        <translation>%1 - xrdview</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Open Reports</source>
        <translation>Ouvrir des rapports</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>About xrdview</source>
        <translation>À propos de xrdview</translation>
    </message>
    <message>
        <source>xrdview %1

A viewer for XRD test reports, built on Qt %2.</source>
        <translation>xrdview %1

Une visionneuse de rapports de test XRD, construite avec Qt %2.</translation>
    </message>
    <message>
        <source>Component: %1, %2</source>
        <translation>Composant : %1, %2</translation>
    </message>
    <message>
        <source>Description: %1</source>
        <translation>Description : %1</translation>
    </message>
    <message>
        <source>Maker: %1</source>
        <translation>Éditeur : %1</translation>
    </message>
    <message>
        <source>Created: %1</source>
        <translation>Créé le : %1</translation>
    </message>
    <message>
        <source>Loaded from: %1</source>
        <translation>Chargé depuis : %1</translation>
    </message>
    <message>
        <source>Cannot open %1.</source>
        <translation>Impossible d&apos;ouvrir %1.</translation>
    </message>
    <message>
        <source>The link &quot;%1&quot; names no file.</source>
        <translation>Le lien « %1 » ne désigne aucun fichier.</translation>
    </message>
    <message>
        <source>The link &quot;%1&quot; was not followed: its file name holds a control character.</source>
        <translation>Le lien « %1 » n&apos;a pas été suivi : son nom de fichier contient un caractère de contrôle.</translation>
    </message>
    <message>
        <source>The link &quot;%1&quot; was not followed: only files and http, https, ftp and mailto addresses are opened.</source>
        <translation>Le lien « %1 » n&apos;a pas été suivi : seuls les fichiers et les adresses http, https, ftp et mailto sont ouverts.</translation>
    </message>
    <message>
        <source>Cannot start the editor command &quot;%1&quot; (XRDVIEW_EDITOR).</source>
        <translation>Impossible de lancer la commande d&apos;édition « %1 » (XRDVIEW_EDITOR).</translation>
    </message>
    <message>
        <source>Source: %1, line %2</source>
        <translation>Source : %1, ligne %2</translation>
    </message>
    <message>
        <source>Source: %1</source>
        <translation>Source : %1</translation>
    </message>
    <message numerus="yes">
        <source>Loading %n report(s)...</source>
        <translation>
            <numerusform>Chargement de %n rapport...</numerusform>
            <numerusform>Chargement de %n rapports...</numerusform>
        </translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Rechercher le &amp;suivant</translation>
    </message>
    <message>
        <source>Search again for the last text</source>
        <translation>Rechercher à nouveau le dernier texte</translation>
    </message>
    <message>
        <source>No report file was found in the folder %1.</source>
        <translation>Aucun fichier de rapport n&apos;a été trouvé dans le dossier %1.</translation>
    </message>
    <message>
        <source>&amp;Export HTML...</source>
        <translation>&amp;Exporter en HTML...</translation>
    </message>
    <message>
        <source>Export the shown report as HTML</source>
        <translation>Exporter le rapport affiché en HTML</translation>
    </message>
</context>
<context>
    <name>XrdPluginLoader</name>
    <message>
        <source>The report viewer plug-in (%1) was not found. Searched:
%2
Set XRDVIEW_PLUGIN_PATH to the directory that holds it.</source>
        <translation>Le plug-in de la visionneuse de rapports (%1) est introuvable. Dossiers parcourus :
%2
Indiquez son dossier dans XRDVIEW_PLUGIN_PATH.</translation>
    </message>
    <message>
        <source>A plug-in is already loaded from %1.</source>
        <translation>Un plug-in est déjà chargé depuis %1.</translation>
    </message>
    <message>
        <source>Cannot load the plug-in %1: %2</source>
        <translation>Impossible de charger le plug-in %1 : %2</translation>
    </message>
    <message>
        <source>%1 is not a viewer plug-in: the entry points qt_ucm_query_verification_data and ucm_instantiate are missing.</source>
        <translation>%1 n&apos;est pas un plug-in de visionneuse : les points d&apos;entrée qt_ucm_query_verification_data et ucm_instantiate manquent.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>The plug-in %1 was refused: its verification data (%2) does not match this host&apos;s (%3).</source>
        <translation>Le plug-in %1 a été refusé : ses données de vérification (%2) ne correspondent pas à celles de l&apos;hôte (%3).</translation>
    </message>
    <message>
        <source>The plug-in %1 did not create its plug-in object.</source>
        <translation>Le plug-in %1 n&apos;a pas créé son objet plug-in.</translation>
    </message>
    <message>
        <source>The plug-in %1 does not offer a viewer plug-in interface.</source>
        <translation>Le plug-in %1 n&apos;offre pas d&apos;interface de plug-in de visionneuse.</translation>
    </message>
</context>
<context>
    <name>XrdPreferenceDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>&amp;Defaults</source>
        <translation>Valeurs par &amp;défaut</translation>
    </message>
</context>
<context>
    <name>XrdResourceStore</name>
    <message>
        <source>The settings file %1 cannot be read: %2</source>
        <translation>Le fichier de configuration %1 ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be written: %2</source>
        <translation>Le fichier de configuration %1 ne peut pas être écrit : %2</translation>
    </message>
</context>
<context>
    <name>XrdSourceView</name>
    <message>
        <source>Cannot open the source file %1: %2</source>
        <translation>Impossible d&apos;ouvrir le fichier source %1 : %2</translation>
    </message>
    <message>
        <source>The source file %1 is too large to show (%2 bytes).</source>
        <translation>Le fichier source %1 est trop volumineux pour être affiché (%2 octets).</translation>
    </message>
    <message>
        <source>The source file %1 is not a regular file.</source>
        <translation>Le fichier source %1 n&apos;est pas un fichier ordinaire.</translation>
    </message>
</context>
<context>
    <name>XrdStudio</name>
    <message>
        <source>xrdview</source>
        <translation>xrdview</translation>
    </message>
    <message>
        <source>No defect tracker is configured: choose one in Settings &gt; Preferences &gt; Defect tracker.
</source>
        <translation>Aucun gestionnaire d&apos;anomalies n&apos;est configuré : choisissez-en un dans Configuration &gt; Préférences &gt; Gestionnaire d&apos;anomalies.
</translation>
    </message>
</context>
<context>
    <name>xrdview</name>
    <message>
        <source>Try &apos;xrdview --help&apos;.</source>
        <translation>Essayez « xrdview --help ».</translation>
    </message>
    <message>
        <source>xrdview</source>
        <translation>xrdview</translation>
    </message>
</context>
<context>
    <name>XrdHistoryCommands</name>
    <message>
        <source>The same reports were recorded before, as run %1.</source>
        <translation>Les mêmes rapports ont déjà été enregistrés, comme exécution %1.</translation>
    </message>
    <message>
        <source>The store holds no run %1.</source>
        <translation>L&apos;historique ne contient pas d&apos;exécution %1.</translation>
    </message>
</context>
<context>
    <name>XrdHistoryOutput</name>
    <message>
        <source>test</source>
        <translation>test</translation>
    </message>
    <message>
        <source>fails</source>
        <translation>échecs</translation>
    </message>
    <message>
        <source>flips</source>
        <translation>bascules</translation>
    </message>
    <message>
        <source>state</source>
        <translation>état</translation>
    </message>
    <message>
        <source>last duration</source>
        <translation>dernière durée</translation>
    </message>
</context>
<context>
    <name>XrdCiOutput</name>
    <message>
        <source>--to needs a format: %1</source>
        <translation>--to attend un format : %1</translation>
    </message>
    <message>
        <source>-o goes with --to</source>
        <translation>-o va avec --to</translation>
    </message>
    <message>
        <source>-o needs a file name</source>
        <translation>-o attend un nom de fichier</translation>
    </message>
    <message>
        <source>--allow-empty goes with --summary or --to</source>
        <translation>--allow-empty va avec --summary ou --to</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 ne peut pas être écrit : %2</translation>
    </message>
    <message>
        <source>In the modes without a window, a FILE that is a folder stands for the reports found under it, and a quoted pattern such as &apos;build/**/TEST-*.xml&apos; is expanded by xrdview itself.</source>
        <translation>Dans les modes sans fenêtre, un FICHIER qui est un dossier désigne les rapports trouvés dessous, et un motif entre guillemets tel que &apos;build/**/TEST-*.xml&apos; est développé par xrdview lui-même.</translation>
    </message>
    <message>
        <source>No test case found (--allow-empty lets a run without any pass).</source>
        <translation>Aucun cas de test trouvé (--allow-empty laisse passer une exécution qui n&apos;en a aucun).</translation>
    </message>
</context>
<context>
    <name>XrdCtrfWriter</name>
    <message>
        <source>(no name)</source>
        <translation>(sans nom)</translation>
    </message>
</context>
<context>
    <name>XrdGithubWriter</name>
    <message>
        <source>Test failed: %1</source>
        <translation>Test échoué : %1</translation>
    </message>
    <message>
        <source>Test inconclusive: %1</source>
        <translation>Test non concluant : %1</translation>
    </message>
    <message>
        <source>%1 more failed or inconclusive tests are not annotated.</source>
        <translation>%1 tests échoués ou non concluants de plus ne sont pas annotés.</translation>
    </message>
</context>
<context>
    <name>XrdInputFiles</name>
    <message>
        <source>%1: passed over, it cannot be read</source>
        <translation>%1 : ignoré, il ne peut pas être lu</translation>
    </message>
    <message>
        <source>%1: passed over, not a report file</source>
        <translation>%1 : ignoré, ce n&apos;est pas un fichier de rapport</translation>
    </message>
    <message>
        <source>%1: no file matches this pattern</source>
        <translation>%1 : aucun fichier ne correspond à ce motif</translation>
    </message>
</context>
<context>
    <name>XrdMarkdownWriter</name>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Passed</source>
        <translation>Réussis</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échoués</translation>
    </message>
    <message>
        <source>Inconclusive</source>
        <translation>Non concluants</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Test results</source>
        <translation>Résultats des tests</translation>
    </message>
    <message>
        <source>Source: %1</source>
        <translation>Source : %1</translation>
    </message>
    <message>
        <source>Failed tests (%1)</source>
        <translation>Tests échoués (%1)</translation>
    </message>
    <message>
        <source>%1 more failed tests left out: the summary is limited to %2 KiB.
</source>
        <translation>%1 tests échoués de plus omis : le résumé est limité à %2 Kio.
</translation>
    </message>
</context>
<context>
    <name>QAExportHtmlDialog</name>
    <message>
        <source>Export HTML</source>
        <translation>Exporter en HTML</translation>
    </message>
    <message>
        <source>A folder that does not exist yet is created.</source>
        <translation>Un dossier qui n&apos;existe pas encore est créé.</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Choisir...</translation>
    </message>
    <message>
        <source>Output folder:</source>
        <translation>Dossier de sortie :</translation>
    </message>
    <message>
        <source>Open in browser when done</source>
        <translation>Ouvrir dans le navigateur une fois terminé</translation>
    </message>
    <message>
        <source>Ready to export.</source>
        <translation>Prêt pour l&apos;export.</translation>
    </message>
    <message>
        <source>Messages of the export appear here.</source>
        <translation>Les messages de l&apos;export s&apos;affichent ici.</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message numerus="yes">
        <source>Exporting: %n page(s) written...</source>
        <translation>
            <numerusform>Export : %n page écrite...</numerusform>
            <numerusform>Export : %n pages écrites...</numerusform>
        </translation>
    </message>
    <message>
        <source>Export HTML to Folder</source>
        <translation>Exporter en HTML dans un dossier</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Type or choose an output folder first.</source>
        <translation>Saisissez ou choisissez d&apos;abord un dossier de sortie.</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Impossible de créer le dossier %1.</translation>
    </message>
    <message>
        <source>Cannot write into the folder %1.</source>
        <translation>Impossible d&apos;écrire dans le dossier %1.</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>Export en cours...</translation>
    </message>
    <message>
        <source>Export cancelled; nothing was kept.</source>
        <translation>Export annulé ; rien n&apos;a été conservé.</translation>
    </message>
    <message>
        <source>Export failed: %1</source>
        <translation>Échec de l&apos;export : %1</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n file(s).</source>
        <translation>
            <numerusform>%n fichier exporté.</numerusform>
            <numerusform>%n fichiers exportés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not open %1 in a browser.</source>
        <translation>Impossible d&apos;ouvrir %1 dans un navigateur.</translation>
    </message>
</context>
<context>
    <name>XrdDockMenu</name>
    <message>
        <source>Show or hide the %1 pane</source>
        <translation>Afficher ou masquer le panneau %1</translation>
    </message>
</context>
</TS>
