<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>DAmlHandler</name>
    <message>
        <source>XML, %1 at line %2, column %3.
</source>
        <translation>XML, %1 à la ligne %2, colonne %3.
</translation>
    </message>
    <message>
        <source>AML, text larger than the input allows at line %1.
</source>
        <translation>AML, texte plus grand que ne le permet l&apos;entrée à la ligne %1.
</translation>
    </message>
    <message>
        <source>AML, text not allowed in &quot;%1&quot; at line %2.
</source>
        <translation>AML, texte non autorisé dans « %1 » à la ligne %2.
</translation>
    </message>
    <message>
        <source>AML, element &quot;%1&quot; not allowed in &quot;%2&quot; at line %3.
</source>
        <translation>AML, élément « %1 » non autorisé dans « %2 » à la ligne %3.
</translation>
    </message>
    <message>
        <source>AML, unknown element &quot;%1&quot; at line %2.
</source>
        <translation>AML, élément « %1 » inconnu à la ligne %2.
</translation>
    </message>
    <message>
        <source>AML, elements nested deeper than %1 at line %2.
</source>
        <translation>AML, éléments imbriqués sur plus de %1 niveaux à la ligne %2.
</translation>
    </message>
    <message>
        <source>AML, bad value &quot;%1&quot; for attribute &quot;%2&quot; of &quot;%3&quot; at line %4.
</source>
        <translation>AML, valeur « %1 » incorrecte pour l&apos;attribut « %2 » de « %3 » à la ligne %4.
</translation>
    </message>
    <message>
        <source>AML, element &quot;%1&quot; needs attribute &quot;%2&quot; at line %3.
</source>
        <translation>AML, l&apos;élément « %1 » exige l&apos;attribut « %2 » à la ligne %3.
</translation>
    </message>
    <message>
        <source>XML, %1.
</source>
        <translation>XML, %1.
</translation>
    </message>
</context>
<context>
    <name>DAmlReader</name>
    <message>
        <source>Document text exceeds the size limit (line %1)</source>
        <translation>Le texte du document dépasse la taille maximale (ligne %1)</translation>
    </message>
    <message>
        <source>Document nested deeper than %1 levels (line %2)</source>
        <translation>Document imbriqué sur plus de %1 niveaux (ligne %2)</translation>
    </message>
    <message>
        <source>Incremental parsing is not supported</source>
        <translation>L&apos;analyse incrémentale n&apos;est pas prise en charge</translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>ligne %1, colonne %2 : %3</translation>
    </message>
    <message>
        <source>Text, attribute value or comment longer than %1 characters</source>
        <translation>Texte, valeur d&apos;attribut ou commentaire de plus de %1 caractères</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>mémoire épuisée</translation>
    </message>
    <message>
        <source>syntax error</source>
        <translation>erreur de syntaxe</translation>
    </message>
    <message>
        <source>unexpected end of file</source>
        <translation>fin de fichier inattendue</translation>
    </message>
    <message>
        <source>invalid character or markup</source>
        <translation>caractère ou balisage invalide</translation>
    </message>
    <message>
        <source>incomplete character</source>
        <translation>caractère incomplet</translation>
    </message>
    <message>
        <source>tag mismatch</source>
        <translation>balises non appariées</translation>
    </message>
    <message>
        <source>duplicate attribute</source>
        <translation>attribut en double</translation>
    </message>
    <message>
        <source>text or markup after the root element</source>
        <translation>texte ou balisage après l&apos;élément racine</translation>
    </message>
    <message>
        <source>undefined entity</source>
        <translation>entité non définie</translation>
    </message>
    <message>
        <source>recursive entity reference</source>
        <translation>référence d&apos;entité récursive</translation>
    </message>
    <message>
        <source>reference to an invalid character</source>
        <translation>référence à un caractère invalide</translation>
    </message>
    <message>
        <source>XML declaration not at the start of the file</source>
        <translation>déclaration XML ailleurs qu&apos;au début du fichier</translation>
    </message>
    <message>
        <source>unsupported encoding</source>
        <translation>codage non pris en charge</translation>
    </message>
    <message>
        <source>content does not match the declared encoding</source>
        <translation>le contenu ne correspond pas au codage déclaré</translation>
    </message>
    <message>
        <source>not well-formed (%1)</source>
        <translation>mal formé (%1)</translation>
    </message>
    <message>
        <source>input not readable</source>
        <translation>entrée illisible</translation>
    </message>
    <message>
        <source>read error: %1</source>
        <translation>erreur de lecture : %1</translation>
    </message>
</context>
<context>
    <name>DExportFile</name>
    <message>
        <source>The file is not open</source>
        <translation>Le fichier n&apos;est pas ouvert</translation>
    </message>
</context>
<context>
    <name>DExportHtml</name>
    <message>
        <source>Export settings ignored: %1</source>
        <translation>Réglages d&apos;export ignorés : %1</translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>Impossible de créer le dossier %1</translation>
    </message>
</context>
<context>
    <name>DHTMLConfig</name>
    <message>
        <source>line %1: pagesize takes a size in KiB from 8 to 1000000 (0: no limit), not &quot;%2&quot;</source>
        <translation>ligne %1 : pagesize prend une taille en Kio de 8 à 1000000 (0 : sans limite), pas « %2 »</translation>
    </message>
    <message>
        <source>%1: cannot be read (%2)</source>
        <translation>%1 : lecture impossible (%2)</translation>
    </message>
    <message>
        <source>%1: too large for an export configuration</source>
        <translation>%1 : trop volumineux pour une configuration d&apos;export</translation>
    </message>
    <message>
        <source>line %1: &quot;%2&quot; is not a file-name suffix such as &quot;.html&quot;</source>
        <translation>ligne %1 : « %2 » n&apos;est pas une extension de nom de fichier comme « .html »</translation>
    </message>
    <message>
        <source>line %1: expected &quot;key = value&quot;</source>
        <translation>ligne %1 : « clé = valeur » attendu</translation>
    </message>
    <message>
        <source>line %1: %2 takes yes or no, not &quot;%3&quot;</source>
        <translation>ligne %1 : %2 accepte yes ou no, pas « %3 »</translation>
    </message>
    <message>
        <source>line %1: images takes a folder below the pages, not &quot;%2&quot;</source>
        <translation>ligne %1 : images attend un dossier sous celui des pages, pas « %2 »</translation>
    </message>
    <message>
        <source>line %1: unknown key &quot;%2&quot;</source>
        <translation>ligne %1 : clé « %2 » inconnue</translation>
    </message>
    <message>
        <source>line %1: outline takes yes or no, not &quot;%2&quot;</source>
        <translation>ligne %1 : outline accepte yes ou no, pas « %2 »</translation>
    </message>
</context>
<context>
    <name>DHTMLOutlineWriter</name>
    <message>
        <source>Failed tests</source>
        <translation>Tests en échec</translation>
    </message>
    <message>
        <source>%1 more failed tests are in the outline.</source>
        <translation>%1 autres tests en échec figurent dans le plan.</translation>
    </message>
    <message numerus="yes">
        <source>%1 … %2 (%n nodes)</source>
        <translation>
            <numerusform>%1 … %2 (%n nœud)</numerusform>
            <numerusform>%1 … %2 (%n nœuds)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DHTMLWriter</name>
    <message>
        <source>Report tree</source>
        <translation>Arbre du rapport</translation>
    </message>
    <message>
        <source>Find a node</source>
        <translation>Chercher un nœud</translation>
    </message>
    <message>
        <source>Failed only</source>
        <translation>Échecs seulement</translation>
    </message>
    <message>
        <source>Image larger than %1 MiB, not copied: %2</source>
        <translation>Image de plus de %1 Mio, non copiée : %2</translation>
    </message>
    <message>
        <source>Image outside the report&apos;s folder and the image folder, not copied: %1</source>
        <translation>Image hors du dossier du rapport et du dossier d&apos;images, non copiée : %1</translation>
    </message>
    <message>
        <source>The export stopped: its pages would pass %1 MB, %2 times the size of the reports read plus %3 MB</source>
        <translation>L&apos;export s&apos;est arrêté : ses pages dépasseraient %1 Mo, %2 fois la taille des rapports lus plus %3 Mo</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>Cannot create the image folder %1</source>
        <translation>Impossible de créer le dossier d&apos;images %1</translation>
    </message>
    <message>
        <source>Cannot copy the image %1 to %2: %3</source>
        <translation>Impossible de copier l&apos;image %1 vers %2 : %3</translation>
    </message>
    <message>
        <source>it is an exported report</source>
        <translation>c&apos;est un rapport exporté</translation>
    </message>
    <message>
        <source>The image folder %1 is a symbolic link; images are not copied</source>
        <translation>Le dossier d&apos;images %1 est un lien symbolique ; les images ne sont pas copiées</translation>
    </message>
    <message>
        <source>Not written: %1 is an exported report; choose another folder</source>
        <translation>Non écrit : %1 est un rapport exporté ; choisissez un autre dossier</translation>
    </message>
    <message>
        <source>Image not found: %1</source>
        <translation>Image introuvable : %1</translation>
    </message>
</context>
<context>
    <name>DRegularFile</name>
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
    <name>DStyleView</name>
    <message>
        <source>Style</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Police :</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source> pt</source>
        <translation> pt</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Taille :</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Gras</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Italique</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Souligné</translation>
    </message>
    <message>
        <source>Font style:</source>
        <translation>Style de police :</translation>
    </message>
    <message>
        <source>Text &amp;color:</source>
        <translation>&amp;Couleur du texte :</translation>
    </message>
    <message>
        <source>&amp;Fill</source>
        <translation>&amp;Remplir</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Arrière-plan :</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centré</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Justify</source>
        <translation>Justifié</translation>
    </message>
    <message>
        <source>&amp;Alignment:</source>
        <translation>&amp;Alignement :</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Haut</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Bas</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Margins:</source>
        <translation>Marges :</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>%1: the quick brown fox jumps over the lazy dog 0123</source>
        <translation>%1 : portez ce vieux whisky au juge blond qui fume 0123</translation>
    </message>
    <message>
        <source>Test campaign</source>
        <translation>Campagne de tests</translation>
    </message>
    <message>
        <source>Check passed</source>
        <translation>Vérification réussie</translation>
    </message>
    <message>
        <source>Check failed</source>
        <translation>Vérification en échec</translation>
    </message>
    <message>
        <source>Inconclusive test</source>
        <translation>Test non concluant</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Start-up</source>
        <translation>Démarrage</translation>
    </message>
    <message>
        <source>Passed</source>
        <translation>Réussi</translation>
    </message>
    <message>
        <source>Log-in</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>En échec</translation>
    </message>
    <message>
        <source>Report text with a [link].</source>
        <comment>the text in brackets becomes a link</comment>
        <translation>Texte du rapport avec un [lien].</translation>
    </message>
</context>
<context>
    <name>QARListView</name>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>Type: %1
Verdict: %2</source>
        <translation>Type : %1
Verdict : %2</translation>
    </message>
    <message>
        <source>Flaky: passed on a rerun</source>
        <translation>Instable : réussi lors d&apos;une réexécution</translation>
    </message>
    <message>
        <source>Failed on its reruns too</source>
        <translation>En échec aussi lors de ses réexécutions</translation>
    </message>
    <message>
        <source>Duration: %1</source>
        <translation>Durée : %1</translation>
    </message>
</context>
<context>
    <name>QARToolBar</name>
    <message>
        <source>Previous Failed Test</source>
        <translation>Test en échec précédent</translation>
    </message>
    <message>
        <source>&lt;b&gt;Previous Failed Test&lt;/b&gt;&lt;br&gt;Move cursor to the previous failed test.</source>
        <translation>&lt;b&gt;Test en échec précédent&lt;/b&gt;&lt;br&gt;Place le curseur sur le test en échec précédent.</translation>
    </message>
    <message>
        <source>Next Failed Test</source>
        <translation>Test en échec suivant</translation>
    </message>
    <message>
        <source>&lt;b&gt;Next Failed Test&lt;/b&gt;&lt;br&gt;Move cursor to the next failed test.</source>
        <translation>&lt;b&gt;Test en échec suivant&lt;/b&gt;&lt;br&gt;Place le curseur sur le test en échec suivant.</translation>
    </message>
    <message>
        <source>All Test Results / Failed Tests Only</source>
        <translation>Tous les résultats / Tests en échec uniquement</translation>
    </message>
    <message>
        <source>&lt;b&gt;All Test Results&lt;/b&gt; or &lt;b&gt;Failed Tests Only&lt;/b&gt;&lt;br&gt;Use this button to either display all tests or only failed tests</source>
        <translation>&lt;b&gt;Tous les résultats&lt;/b&gt; ou &lt;b&gt;Tests en échec uniquement&lt;/b&gt;&lt;br&gt;Ce bouton affiche soit tous les tests, soit uniquement les tests en échec</translation>
    </message>
</context>
<context>
    <name>QAReporter</name>
    <message>
        <source>Exports the current document alone: %1 (no tree outline, no linked reports).</source>
        <translation>Exporte le document courant seul : %1 (sans l&apos;arborescence ni les rapports liés).</translation>
    </message>
    <message>
        <source>There is no document to export.</source>
        <translation>Il n&apos;y a aucun document à exporter.</translation>
    </message>
    <message>
        <source>Failed tests only: passed tests are left out of these pages.</source>
        <translation>Tests en échec seulement : les tests réussis ne figurent pas dans ces pages.</translation>
    </message>
    <message>
        <source>Linked report outside the report&apos;s folder, not exported: %1</source>
        <translation>Rapport lié hors du dossier du rapport, non exporté : %1</translation>
    </message>
    <message>
        <source>Test Report</source>
        <translation>Rapport de test</translation>
    </message>
    <message>
        <source>File(s) not found or corrupted:
</source>
        <translation>Fichier(s) introuvable(s) ou corrompu(s) :
</translation>
    </message>
    <message>
        <source>	</source>
        <translation>	</translation>
    </message>
    <message>
        <source>
</source>
        <translation>
</translation>
    </message>
    <message>
        <source>Test Report Toolbar</source>
        <comment>Tool bar Title</comment>
        <translation>Barre d&apos;outils Rapport de test</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>&amp;Go to</source>
        <translation>&amp;Aller à</translation>
    </message>
    <message>
        <source>&amp;Submit Merrow Report</source>
        <translation>&amp;Soumettre un rapport Merrow</translation>
    </message>
    <message>
        <source> Toolbar</source>
        <translation> - barre d&apos;outils</translation>
    </message>
    <message>
        <source>&amp;Commands</source>
        <translation>&amp;Commandes</translation>
    </message>
    <message>
        <source>&amp;Submit Merrow Defect Report</source>
        <translation>&amp;Soumettre un rapport d&apos;anomalie Merrow</translation>
    </message>
    <message>
        <source>All Test Results</source>
        <translation>Tous les résultats</translation>
    </message>
    <message>
        <source>Failed Tests Only</source>
        <translation>Tests en échec uniquement</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Recharger</translation>
    </message>
    <message>
        <source>Show header</source>
        <translation>Afficher l&apos;en-tête</translation>
    </message>
    <message>
        <source>Print Header</source>
        <translation>Imprimer l&apos;en-tête</translation>
    </message>
    <message>
        <source>Export Current Document as HTML...</source>
        <translation>Exporter le document courant en HTML...</translation>
    </message>
    <message>
        <source>Display complete report</source>
        <translation>Afficher le rapport complet</translation>
    </message>
    <message>
        <source>Display failed tests only</source>
        <translation>Afficher uniquement les tests en échec</translation>
    </message>
    <message>
        <source>Reload the current report</source>
        <translation>Recharger le rapport courant</translation>
    </message>
    <message>
        <source>Generate the viewer&apos;s content to a HTML file</source>
        <translation>Enregistrer le contenu de la visionneuse dans un fichier HTML</translation>
    </message>
    <message>
        <source>Show or hide %1</source>
        <comment> %1 is the menu item name</comment>
        <translation>Afficher ou masquer %1</translation>
    </message>
    <message>
        <source>Warning ...
</source>
        <translation>Avertissement...
</translation>
    </message>
    <message>
        <source>Submit Defect Report Failed ...
</source>
        <translation>Échec de la soumission du rapport d&apos;anomalie...
</translation>
    </message>
    <message>
        <source>Submit Defect Report ...
</source>
        <translation>Soumission du rapport d&apos;anomalie...
</translation>
    </message>
    <message>
        <source>No nodes selected
</source>
        <translation>Aucun nœud sélectionné
</translation>
    </message>
    <message>
        <source>Stopped.
</source>
        <translation>Arrêté.
</translation>
    </message>
    <message>
        <source>Can&apos;t find data
</source>
        <translation>Données introuvables
</translation>
    </message>
    <message>
        <source>Workspace:  </source>
        <translation>Espace de travail :   </translation>
    </message>
    <message>
        <source>Test:       </source>
        <translation>Test :                </translation>
    </message>
    <message>
        <source>Report file:  </source>
        <translation>Fichier de rapport :  </translation>
    </message>
    <message>
        <source>Item failed:  </source>
        <translation>Élément en échec :    </translation>
    </message>
    <message>
        <source>Item type:   </source>
        <translation>Type d&apos;élément :      </translation>
    </message>
    <message>
        <source>Report File</source>
        <translation>Fichier de rapport</translation>
    </message>
    <message>
        <source>Report</source>
        <comment>Default product name to dialogs box.</comment>
        <translation>Rapport</translation>
    </message>
    <message>
        <source>Save %1 Report As</source>
        <comment>%1 is the source file name.</comment>
        <translation>Enregistrer le rapport %1 sous</translation>
    </message>
    <message>
        <source>Source and destination files are the sames.
Please select an other file.</source>
        <translation>Les fichiers source et destination sont identiques.
Veuillez choisir un autre fichier.</translation>
    </message>
    <message>
        <source>The file already exists.
Do you want to overwrite it?</source>
        <translation>Le fichier existe déjà.
Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>The file could not be save.
Please check if you have write permission.</source>
        <translation>Le fichier n&apos;a pas pu être enregistré.
Vérifiez que vous avez le droit d&apos;écriture.</translation>
    </message>
    <message>
        <source>The file could not be save.
Please check if you have read permission.</source>
        <translation>Le fichier n&apos;a pas pu être enregistré.
Vérifiez que vous avez le droit de lecture.</translation>
    </message>
    <message>
        <source>Unable to open the report file &apos;%1&apos;</source>
        <translation>Impossible d&apos;ouvrir le fichier de rapport « %1 »</translation>
    </message>
    <message>
        <source>Report tree</source>
        <translation>Arbre du rapport</translation>
    </message>
    <message>
        <source>Results summary</source>
        <translation>Synthèse des résultats</translation>
    </message>
    <message>
        <source>Hide the header</source>
        <translation>Masquer l&apos;en-tête</translation>
    </message>
    <message>
        <source>Not found: %1</source>
        <translation>Introuvable : %1</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Compare With…</source>
        <translation>Comparer avec…</translation>
    </message>
    <message>
        <source>New Failures Only</source>
        <translation>Nouveaux échecs seulement</translation>
    </message>
    <message>
        <source>Copy &amp;Name</source>
        <translation>Copier le &amp;nom</translation>
    </message>
    <message>
        <source>Copy &amp;Path</source>
        <translation>Copier le &amp;chemin</translation>
    </message>
    <message>
        <source>Copy Failure &amp;Message</source>
        <translation>Copier le &amp;message d’échec</translation>
    </message>
    <message>
        <source>Copy as Mar&amp;kdown</source>
        <translation>Copier en Mar&amp;kdown</translation>
    </message>
    <message>
        <source>Filter tree (Ctrl+K)</source>
        <translation>Filtrer l’arbre (Ctrl+K)</translation>
    </message>
    <message>
        <source>Shows the nodes whose path holds every word typed, ignoring case</source>
        <translation>Montre les nœuds dont le chemin contient chacun des mots tapés, sans tenir compte de la casse</translation>
    </message>
    <message>
        <source>Failures</source>
        <translation>Échecs</translation>
    </message>
    <message>
        <source>(no message)</source>
        <translation>(pas de message)</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>Tests</source>
        <translation>Tests</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Slowest tests</source>
        <translation>Tests les plus lents</translation>
    </message>
    <message>
        <source>The report file %1 was removed or renamed; the window keeps showing what it last read.</source>
        <translation>Le fichier de rapport %1 a été supprimé ou renommé ; la fenêtre garde ce qu&apos;elle en avait lu.</translation>
    </message>
    <message>
        <source>Generate HTML</source>
        <translation>Générer le HTML</translation>
    </message>
    <message>
        <source>Header</source>
        <translation>En-tête</translation>
    </message>
</context>
<context>
    <name>QAReporterPref</name>
    <message>
        <source>Report Viewer</source>
        <comment>Reporter Plugin Preference First Item Title</comment>
        <translation>Visionneuse de rapports</translation>
    </message>
    <message>
        <source>Styles</source>
        <comment>Reporter Plugin Preference Second Item Title</comment>
        <translation>Styles</translation>
    </message>
    <message>
        <source>History</source>
        <comment>Reporter Plugin Preference Third Item Title</comment>
        <translation>Historique</translation>
    </message>
</context>
<context>
    <name>QAReporterPrefGeneral</name>
    <message>
        <source>Viewer</source>
        <translation>Visionneuse</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Couleur d&apos;arrière-plan</translation>
    </message>
    <message>
        <source>Automatic raise viewer on tree selection changed</source>
        <comment>Check Box Name</comment>
        <translation>Afficher la visionneuse au premier plan quand la sélection de l&apos;arbre change</translation>
    </message>
    <message>
        <source>Report Contents Depth Open</source>
        <translation>Profondeur d&apos;ouverture de l&apos;arbre du rapport</translation>
    </message>
    <message>
        <source>Reload reports when their files change</source>
        <translation>Recharger les rapports quand leurs fichiers changent</translation>
    </message>
</context>
<context>
    <name>QAReporterPrefStyles</name>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Normal Failed</source>
        <translation>Normal en échec</translation>
    </message>
    <message>
        <source>Normal Passed</source>
        <translation>Normal réussi</translation>
    </message>
    <message>
        <source>Title0</source>
        <translation>Titre 0</translation>
    </message>
    <message>
        <source>Title1</source>
        <translation>Titre 1</translation>
    </message>
    <message>
        <source>Title1 Failed</source>
        <translation>Titre 1 en échec</translation>
    </message>
    <message>
        <source>Title1 Passed</source>
        <translation>Titre 1 réussi</translation>
    </message>
    <message>
        <source>Title2</source>
        <translation>Titre 2</translation>
    </message>
    <message>
        <source>Title2 Failed</source>
        <translation>Titre 2 en échec</translation>
    </message>
    <message>
        <source>Title2 Passed</source>
        <translation>Titre 2 réussi</translation>
    </message>
    <message>
        <source>Title3</source>
        <translation>Titre 3</translation>
    </message>
    <message>
        <source>Title3 Failed</source>
        <translation>Titre 3 en échec</translation>
    </message>
    <message>
        <source>Title3 Passed</source>
        <translation>Titre 3 réussi</translation>
    </message>
    <message>
        <source>Title4</source>
        <translation>Titre 4</translation>
    </message>
    <message>
        <source>Title4 Failed</source>
        <translation>Titre 4 en échec</translation>
    </message>
    <message>
        <source>Title4 Passed</source>
        <translation>Titre 4 réussi</translation>
    </message>
    <message>
        <source>Title5</source>
        <translation>Titre 5</translation>
    </message>
    <message>
        <source>Title5 Failed</source>
        <translation>Titre 5 en échec</translation>
    </message>
    <message>
        <source>Title5 Passed</source>
        <translation>Titre 5 réussi</translation>
    </message>
    <message>
        <source>Title6</source>
        <translation>Titre 6</translation>
    </message>
    <message>
        <source>Title6 Failed</source>
        <translation>Titre 6 en échec</translation>
    </message>
    <message>
        <source>Title6 Passed</source>
        <translation>Titre 6 réussi</translation>
    </message>
    <message>
        <source>Array Title</source>
        <translation>Titre de tableau</translation>
    </message>
    <message>
        <source>Array</source>
        <translation>Tableau</translation>
    </message>
    <message>
        <source>Array Failed</source>
        <translation>Tableau en échec</translation>
    </message>
    <message>
        <source>Array Passed</source>
        <translation>Tableau réussi</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Lien</translation>
    </message>
</context>
<context>
    <name>QAStReporterPlugin</name>
    <message>
        <source>Opens XRD reports and test runners&apos; results (JUnit XML, Qt Test, Catch2, TAP, GoogleTest JSON, CTRF JSON) in report windows, with a filter for failed tests, search, HTML export and defect reports.</source>
        <comment>Reporter Plugin Description</comment>
        <translation>Ouvre les rapports XRD et les résultats des lanceurs de tests (JUnit XML, Qt Test, Catch2, TAP, GoogleTest JSON, CTRF JSON) dans des fenêtres de rapport, avec un filtre des tests en échec, la recherche, l&apos;export HTML et les rapports d&apos;anomalie.</translation>
    </message>
    <message>
        <source>Ostrand Software</source>
        <comment>Reporter Plugin Author</comment>
        <translation>Ostrand Software</translation>
    </message>
    <message>
        <source>Version 1.0.0</source>
        <comment>Reporter Plugin Version</comment>
        <translation>Version 1.0.0</translation>
    </message>
    <message>
        <source>Report</source>
        <comment>Reporter Plugin Extended Filters</comment>
        <translation>Rapport</translation>
    </message>
    <message>
        <source>Test Report</source>
        <comment>Test Report Window Title</comment>
        <translation>Rapport de test</translation>
    </message>
    <message>
        <source>Ostrand Korvat Report Viewer</source>
        <comment>Plugin Name</comment>
        <translation>Visionneuse de rapports Ostrand Korvat</translation>
    </message>
    <message>
        <source>Views XRD test reports and test runners&apos; results: a results table, an outline of every test and the formatted report.</source>
        <comment>Plugin Description</comment>
        <translation>Affiche les rapports de test XRD et les résultats des lanceurs de tests : un tableau des résultats, l&apos;arborescence de tous les tests et le rapport mis en forme.</translation>
    </message>
    <message>
        <source>Ostrand Software</source>
        <comment>Plugin Company Name</comment>
        <translation>Ostrand Software</translation>
    </message>
    <message>
        <source>Ostrand and Korvat are trademarks of Ostrand Software.</source>
        <comment>Plugin Company Description</comment>
        <translation>Ostrand et Korvat sont des marques d&apos;Ostrand Software.</translation>
    </message>
    <message>
        <source>Copyright Ostrand Software. All rights reserved.</source>
        <comment>Plugin CopyRight</comment>
        <translation>Copyright Ostrand Software. Tous droits réservés.</translation>
    </message>
    <message>
        <source>Version 1.1.0</source>
        <comment>Plugin Version</comment>
        <translation>Version 1.1.0</translation>
    </message>
</context>
<context>
    <name>Reporter</name>
    <message>
        <source>Xml/ROD, more than one XROD element (line %1).
</source>
        <translation>Xml/ROD, plus d&apos;un élément XROD (ligne %1).
</translation>
    </message>
    <message>
        <source>Xml/ROD, XROD:NODE element outside XROD (line %1).
</source>
        <translation>Xml/ROD, élément XROD:NODE hors de XROD (ligne %1).
</translation>
    </message>
    <message>
        <source>Xml/ROD, unvalable name attribute.
</source>
        <translation>Xml/ROD, attribut name non valable.
</translation>
    </message>
    <message>
        <source>Xml/ROD, unvalable type attribute.
</source>
        <translation>Xml/ROD, attribut type non valable.
</translation>
    </message>
    <message>
        <source>nested XMLROD init element.
</source>
        <translation>élément initial XMLROD imbriqué.
</translation>
    </message>
    <message>
        <source>unvalable stack elements.
</source>
        <translation>éléments de pile non valables.
</translation>
    </message>
    <message>
        <source>Analysing %1</source>
        <translation>Analyse de %1</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Results files</source>
        <translation>Fichiers de résultats</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>En échec</translation>
    </message>
    <message>
        <source>Passed</source>
        <translation>Réussis</translation>
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
        <source>Canceled.
</source>
        <translation>Annulé.
</translation>
    </message>
    <message>
        <source>JUnit, the report text grows larger than the input allows.
</source>
        <translation>JUnit, le texte du rapport devient plus grand que ne le permet l&apos;entrée.
</translation>
    </message>
    <message>
        <source>JUnit XML results</source>
        <translation>Résultats JUnit XML</translation>
    </message>
    <message>
        <source>Class %1</source>
        <translation>Classe %1</translation>
    </message>
    <message>
        <source>time %1 s</source>
        <translation>durée %1 s</translation>
    </message>
    <message>
        <source>file %1</source>
        <translation>fichier %1</translation>
    </message>
    <message>
        <source>Source </source>
        <translation>Source </translation>
    </message>
    <message>
        <source>, source </source>
        <translation>, source </translation>
    </message>
    <message>
        <source>Standard output</source>
        <translation>Sortie standard</translation>
    </message>
    <message>
        <source>Standard error</source>
        <translation>Erreur standard</translation>
    </message>
    <message>
        <source>JUnit, the root element is &quot;%1&quot;, not &quot;testsuites&quot; or &quot;testsuite&quot;.
</source>
        <translation>JUnit, l&apos;élément racine est « %1 » et non « testsuites » ou « testsuite ».
</translation>
    </message>
    <message>
        <source>JUnit results: %1</source>
        <translation>Résultats JUnit : %1</translation>
    </message>
    <message>
        <source>Test suite: %1</source>
        <translation>Suite de tests : %1</translation>
    </message>
    <message>
        <source>package %1</source>
        <translation>paquetage %1</translation>
    </message>
    <message>
        <source>run on %1</source>
        <translation>exécuté sur %1</translation>
    </message>
    <message>
        <source>started %1</source>
        <translation>démarré le %1</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>Ignoré</translation>
    </message>
    <message>
        <source>Failed run, passed on rerun</source>
        <translation>Exécution en échec, réussie à la réexécution</translation>
    </message>
    <message>
        <source>Error run, passed on rerun</source>
        <translation>Exécution en erreur, réussie à la réexécution</translation>
    </message>
    <message>
        <source>Failed rerun</source>
        <translation>Réexécution en échec</translation>
    </message>
    <message>
        <source>Error in rerun</source>
        <translation>Erreur à la réexécution</translation>
    </message>
    <message>
        <source>Standard output of the run</source>
        <translation>Sortie standard de l&apos;exécution</translation>
    </message>
    <message>
        <source>Standard error of the run</source>
        <translation>Erreur standard de l&apos;exécution</translation>
    </message>
    <message>
        <source>Properties:</source>
        <translation>Propriétés :</translation>
    </message>
    <message>
        <source>Tests: %1, failures: %2, errors: %3, skipped: %4</source>
        <translation>Tests : %1, échecs : %2, erreurs : %3, ignorés : %4</translation>
    </message>
    <message>
        <source>, duration: %1 s</source>
        <translation>, durée : %1 s</translation>
    </message>
    <message>
        <source>Totals of suite %1 - %2</source>
        <translation>Totaux de la suite %1 - %2</translation>
    </message>
    <message>
        <source>%1 (file says %2)</source>
        <translation>%1 (le fichier indique %2)</translation>
    </message>
    <message>
        <source>JUnit, the node tree refused a node.
</source>
        <translation>JUnit, l&apos;arbre des nœuds a refusé un nœud.
</translation>
    </message>
    <message>
        <source>XRD reports</source>
        <translation>Rapports XRD</translation>
    </message>
    <message>
        <source>not a test report: root element &quot;%1&quot; is neither XRD nor JUnit</source>
        <translation>pas un rapport de test : l&apos;élément racine « %1 » n&apos;est ni XRD ni JUnit</translation>
    </message>
    <message>
        <source>Catch2 XML results</source>
        <translation>Résultats Catch2 XML</translation>
    </message>
    <message>
        <source>Catch2, the root element is &quot;%1&quot;, not &quot;Catch&quot;.
</source>
        <translation>Catch2, l&apos;élément racine est « %1 », pas « Catch ».
</translation>
    </message>
    <message>
        <source>Catch2 results: %1</source>
        <translation>Résultats Catch2 : %1</translation>
    </message>
    <message>
        <source>Tags %1</source>
        <translation>Étiquettes %1</translation>
    </message>
    <message>
        <source>Duration: %1 s.</source>
        <translation>Durée : %1 s.</translation>
    </message>
    <message>
        <source>Group: %1</source>
        <translation>Groupe : %1</translation>
    </message>
    <message>
        <source>%1( %2 ) passed</source>
        <translation>%1( %2 ) réussi</translation>
    </message>
    <message>
        <source>%1( %2 ) failed</source>
        <translation>%1( %2 ) en échec</translation>
    </message>
    <message>
        <source>With expansion: %1</source>
        <translation>Développé : %1</translation>
    </message>
    <message>
        <source>Exception: %1</source>
        <translation>Exception : %1</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Exception</source>
        <translation>Exception</translation>
    </message>
    <message>
        <source>Fatal error</source>
        <translation>Erreur fatale</translation>
    </message>
    <message>
        <source>Test cases: %1 passed, %2 failed, %3 failed as expected.</source>
        <translation>Cas de test : %1 réussis, %2 en échec, %3 en échec comme prévu.</translation>
    </message>
    <message>
        <source>Assertions: %1 passed, %2 failed, %3 failed as expected.</source>
        <translation>Assertions : %1 réussies, %2 en échec, %3 en échec comme prévu.</translation>
    </message>
    <message>
        <source>text, attribute value or comment longer than %1 bytes.</source>
        <translation>texte, valeur d&apos;attribut ou commentaire de plus de %1 octets.</translation>
    </message>
    <message>
        <source>%1, line %2, column %3: %4
</source>
        <translation>%1, ligne %2, colonne %3 : %4
</translation>
    </message>
    <message>
        <source>document type declarations are not accepted.</source>
        <translation>les déclarations de type de document ne sont pas acceptées.</translation>
    </message>
    <message>
        <source>elements nested deeper than %1.</source>
        <translation>éléments imbriqués sur plus de %1 niveaux.</translation>
    </message>
    <message>
        <source>%1, the node tree refused a node.
</source>
        <translation>%1, l&apos;arbre des nœuds a refusé un nœud.
</translation>
    </message>
    <message>
        <source>%1, line %2: %3
</source>
        <translation>%1, ligne %2 : %3
</translation>
    </message>
    <message>
        <source>%1, the report text grows larger than the input allows.
</source>
        <translation>%1, le texte du rapport dépasse ce que permet le fichier lu.
</translation>
    </message>
    <message>
        <source>Qt Test XML results</source>
        <translation>Résultats Qt Test XML</translation>
    </message>
    <message>
        <source>Expected failure</source>
        <translation>Échec attendu</translation>
    </message>
    <message>
        <source>Unexpected pass</source>
        <translation>Réussite inattendue</translation>
    </message>
    <message>
        <source>Blacklisted, passed</source>
        <translation>Sur liste noire, réussi</translation>
    </message>
    <message>
        <source>Blacklisted, failed</source>
        <translation>Sur liste noire, en échec</translation>
    </message>
    <message>
        <source>Blacklisted, unexpected pass</source>
        <translation>Sur liste noire, réussite inattendue</translation>
    </message>
    <message>
        <source>Blacklisted, expected failure</source>
        <translation>Sur liste noire, échec attendu</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Débogage</translation>
    </message>
    <message>
        <source>Critical</source>
        <translation>Critique</translation>
    </message>
    <message>
        <source>Fatal</source>
        <translation>Fatal</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>Qt Test, the root element is &quot;%1&quot;, not &quot;TestCase&quot;.
</source>
        <translation>Qt Test, l&apos;élément racine est « %1 », pas « TestCase ».
</translation>
    </message>
    <message>
        <source>Qt Test results: %1</source>
        <translation>Résultats Qt Test : %1</translation>
    </message>
    <message>
        <source>Test object: %1</source>
        <translation>Objet de test : %1</translation>
    </message>
    <message>
        <source>Duration: %1 ms.</source>
        <translation>Durée : %1 ms.</translation>
    </message>
    <message>
        <source>Benchmark: %1 %2 per iteration (%3 iterations).</source>
        <translation>Mesure : %1 %2 par itération (%3 itérations).</translation>
    </message>
    <message>
        <source>Run on %1, Qt Test %2.</source>
        <translation>Exécuté sur %1, Qt Test %2.</translation>
    </message>
    <message>
        <source>Run on %1.</source>
        <translation>Exécuté sur %1.</translation>
    </message>
    <message>
        <source>Totals: %1 passed, %2 failed, %3 skipped or blacklisted</source>
        <translation>Totaux : %1 réussis, %2 en échec, %3 sautés ou sur liste noire</translation>
    </message>
    <message>
        <source>, duration: %1 ms</source>
        <translation>, durée : %1 ms</translation>
    </message>
    <message>
        <source>CTRF JSON reports</source>
        <translation>Rapports CTRF JSON</translation>
    </message>
    <message>
        <source>the file does not hold a JSON object.</source>
        <translation>le fichier ne contient pas d&apos;objet JSON.</translation>
    </message>
    <message>
        <source>&quot;results&quot; is not an object.</source>
        <translation>« results » n&apos;est pas un objet.</translation>
    </message>
    <message>
        <source>the file holds &quot;results&quot; twice.</source>
        <translation>le fichier contient deux fois « results ».</translation>
    </message>
    <message>
        <source>the file holds no &quot;results&quot; object.</source>
        <translation>le fichier ne contient aucun objet « results ».</translation>
    </message>
    <message>
        <source>Environment:</source>
        <translation>Environnement :</translation>
    </message>
    <message>
        <source>CTRF results: %1</source>
        <translation>Résultats CTRF : %1</translation>
    </message>
    <message>
        <source>Tool: %1.</source>
        <translation>Outil : %1.</translation>
    </message>
    <message>
        <source>Tests: %1, passed: %2, failed: %3, skipped: %4, pending: %5, other: %6</source>
        <translation>Tests : %1, réussis : %2, en échec : %3, sautés : %4, en attente : %5, autres : %6</translation>
    </message>
    <message>
        <source>, flaky: %1</source>
        <translation>, instables : %1</translation>
    </message>
    <message>
        <source>no status</source>
        <translation>sans statut</translation>
    </message>
    <message>
        <source>Status %1</source>
        <translation>Statut %1</translation>
    </message>
    <message>
        <source>duration %1 ms</source>
        <translation>durée %1 ms</translation>
    </message>
    <message>
        <source>retries %1</source>
        <translation>nouvelles tentatives %1</translation>
    </message>
    <message>
        <source>flaky</source>
        <translation>instable</translation>
    </message>
    <message>
        <source>type %1</source>
        <translation>type %1</translation>
    </message>
    <message>
        <source>browser %1</source>
        <translation>navigateur %1</translation>
    </message>
    <message>
        <source>Tags: %1.</source>
        <translation>Étiquettes : %1.</translation>
    </message>
    <message>
        <source>Message:</source>
        <translation>Message :</translation>
    </message>
    <message>
        <source>Trace:</source>
        <translation>Trace :</translation>
    </message>
    <message>
        <source>Standard output:</source>
        <translation>Sortie standard :</translation>
    </message>
    <message>
        <source>Standard error:</source>
        <translation>Erreur standard :</translation>
    </message>
    <message>
        <source>GoogleTest JSON results</source>
        <translation>Résultats GoogleTest JSON</translation>
    </message>
    <message>
        <source>GoogleTest results: %1</source>
        <translation>Résultats GoogleTest : %1</translation>
    </message>
    <message>
        <source>Started %1.</source>
        <translation>Démarré le %1.</translation>
    </message>
    <message>
        <source>Tests: %1, failures: %2, disabled: %3, skipped: %4</source>
        <translation>Tests : %1, échecs : %2, désactivés : %3, sautés : %4</translation>
    </message>
    <message>
        <source>, duration: %1</source>
        <translation>, durée : %1</translation>
    </message>
    <message>
        <source>time %1</source>
        <translation>temps %1</translation>
    </message>
    <message>
        <source>parameter %1</source>
        <translation>paramètre %1</translation>
    </message>
    <message>
        <source>Disabled: not run.</source>
        <translation>Désactivé : non exécuté.</translation>
    </message>
    <message>
        <source>Skipped.</source>
        <translation>Sauté.</translation>
    </message>
    <message>
        <source>Skipped:</source>
        <translation>Sauté :</translation>
    </message>
    <message>
        <source>Failure at </source>
        <translation>Échec à </translation>
    </message>
    <message>
        <source>Failure:</source>
        <translation>Échec :</translation>
    </message>
    <message>
        <source>data after the end of the JSON value</source>
        <translation>des données après la fin de la valeur JSON</translation>
    </message>
    <message>
        <source>the file ends inside the JSON value</source>
        <translation>le fichier se termine au milieu de la valeur JSON</translation>
    </message>
    <message>
        <source>a member name in quotes was expected</source>
        <translation>un nom de membre entre guillemets était attendu</translation>
    </message>
    <message>
        <source>a comma or the end of the object or array was expected</source>
        <translation>une virgule ou la fin de l&apos;objet ou du tableau était attendue</translation>
    </message>
    <message>
        <source>objects and arrays nested deeper than %1</source>
        <translation>objets et tableaux imbriqués sur plus de %1 niveaux</translation>
    </message>
    <message>
        <source>a value was expected</source>
        <translation>une valeur était attendue</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not close the open object or array</source>
        <translation>« %1 » ne ferme pas l&apos;objet ou le tableau ouvert</translation>
    </message>
    <message>
        <source>a string longer than %1 bytes</source>
        <translation>une chaîne de plus de %1 octets</translation>
    </message>
    <message>
        <source>the file ends inside a string</source>
        <translation>le fichier se termine au milieu d&apos;une chaîne</translation>
    </message>
    <message>
        <source>a control character inside a string</source>
        <translation>un caractère de contrôle dans une chaîne</translation>
    </message>
    <message>
        <source>an unknown escape in a string</source>
        <translation>une séquence d&apos;échappement inconnue dans une chaîne</translation>
    </message>
    <message>
        <source>a \u escape without four hexadecimal digits</source>
        <translation>un échappement \u sans quatre chiffres hexadécimaux</translation>
    </message>
    <message>
        <source>a colon was expected after the member name</source>
        <translation>deux-points étaient attendus après le nom du membre</translation>
    </message>
    <message>
        <source>a number without digits</source>
        <translation>un nombre sans chiffres</translation>
    </message>
    <message>
        <source>a number without digits after its decimal point</source>
        <translation>un nombre sans chiffres après sa virgule</translation>
    </message>
    <message>
        <source>a number without digits in its exponent</source>
        <translation>un nombre sans chiffres dans son exposant</translation>
    </message>
    <message>
        <source>a number longer than 400 characters</source>
        <translation>un nombre de plus de 400 caractères</translation>
    </message>
    <message>
        <source>line %1, column %2 (byte %3): %4</source>
        <translation>ligne %1, colonne %2 (octet %3) : %4</translation>
    </message>
    <message>
        <source>not a test report: a JSON file that is neither GoogleTest nor CTRF results</source>
        <translation>pas un rapport de test : un fichier JSON qui n&apos;est ni un résultat GoogleTest ni un rapport CTRF</translation>
    </message>
    <message>
        <source>tests nested deeper than %1.</source>
        <translation>tests imbriqués sur plus de %1 niveaux.</translation>
    </message>
    <message>
        <source>the node tree refused a node.</source>
        <translation>l&apos;arbre des nœuds a refusé un nœud.</translation>
    </message>
    <message>
        <source>TAP test results</source>
        <translation>Résultats de test TAP</translation>
    </message>
    <message>
        <source>the file holds no test results.</source>
        <translation>le fichier ne contient aucun résultat de test.</translation>
    </message>
    <message>
        <source>TAP results: %1</source>
        <translation>Résultats TAP : %1</translation>
    </message>
    <message>
        <source>a line longer than %1 bytes.</source>
        <translation>une ligne de plus de %1 octets.</translation>
    </message>
    <message>
        <source>binary data, not text.</source>
        <translation>des données binaires, pas du texte.</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>ligne %1 : %2</translation>
    </message>
    <message>
        <source>TAP version %1.</source>
        <translation>TAP version %1.</translation>
    </message>
    <message>
        <source>test %1</source>
        <translation>test %1</translation>
    </message>
    <message>
        <source>Numbered %1, but test %2 here.</source>
        <translation>Numéroté %1, mais test %2 à cet endroit.</translation>
    </message>
    <message>
        <source>Skipped: %1</source>
        <translation>Sauté : %1</translation>
    </message>
    <message>
        <source>TODO, passed unexpectedly.</source>
        <translation>TODO, réussi de manière inattendue.</translation>
    </message>
    <message>
        <source>TODO, passed unexpectedly: %1</source>
        <translation>TODO, réussi de manière inattendue : %1</translation>
    </message>
    <message>
        <source>TODO, failed as expected.</source>
        <translation>TODO, en échec comme prévu.</translation>
    </message>
    <message>
        <source>TODO, failed as expected: %1</source>
        <translation>TODO, en échec comme prévu : %1</translation>
    </message>
    <message>
        <source>Diagnostics:</source>
        <translation>Diagnostics :</translation>
    </message>
    <message>
        <source>Bail out!</source>
        <translation>Abandon !</translation>
    </message>
    <message>
        <source>The run bailed out.</source>
        <translation>L&apos;exécution a été abandonnée.</translation>
    </message>
    <message>
        <source>The run bailed out: %1</source>
        <translation>L&apos;exécution a été abandonnée : %1</translation>
    </message>
    <message>
        <source>No plan: %1 test(s) ran.</source>
        <translation>Pas de plan : %1 test(s) exécuté(s).</translation>
    </message>
    <message>
        <source>Planned %1 test(s), %2 ran.</source>
        <translation>%1 test(s) prévu(s), %2 exécuté(s).</translation>
    </message>
    <message>
        <source>Tests: %1, passed: %2, failed: %3, skipped: %4.</source>
        <translation>Tests : %1, réussis : %2, en échec : %3, sautés : %4.</translation>
    </message>
    <message>
        <source>Flaky</source>
        <translation>Instables</translation>
    </message>
    <message numerus="yes">
        <source>Show all (%n more lines)</source>
        <translation>
            <numerusform>Tout afficher (%n ligne de plus)</numerusform>
            <numerusform>Tout afficher (%n lignes de plus)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QARHistoryDock</name>
    <message>
        <source>History</source>
        <translation>Historique</translation>
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
        <source>No run is recorded yet.</source>
        <translation>Aucune exécution n&apos;est encore enregistrée.</translation>
    </message>
    <message>
        <source>Select a node of the report tree.</source>
        <translation>Sélectionnez un nœud de l&apos;arbre du rapport.</translation>
    </message>
    <message>
        <source>The report could not be recorded: %1</source>
        <translation>Le rapport n&apos;a pas pu être enregistré : %1</translation>
    </message>
</context>
<context>
    <name>QARHistoryModel</name>
    <message>
        <source>%1, recorded %2: %3</source>
        <translation>%1, enregistrée le %2 : %3</translation>
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
        <source>Passed</source>
        <translation>Réussis</translation>
    </message>
    <message>
        <source>Recorded</source>
        <translation>Enregistrée</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Exécution</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échoué</translation>
    </message>
    <message>
        <source>inconclusive</source>
        <translation>non concluant</translation>
    </message>
    <message>
        <source>not run</source>
        <translation>non exécuté</translation>
    </message>
    <message>
        <source>passed</source>
        <translation>réussi</translation>
    </message>
    <message>
        <source>%1, took %2</source>
        <translation>%1, a duré %2</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
</context>
<context>
    <name>QAReporterPrefHistory</name>
    <message>
        <source>Run history</source>
        <translation>Historique des exécutions</translation>
    </message>
    <message>
        <source>Record every opened report</source>
        <translation>Enregistrer chaque rapport ouvert</translation>
    </message>
    <message>
        <source>KORVAT_DB, else the history.sqlite file of the user&apos;s data folder</source>
        <translation>KORVAT_DB, sinon le fichier history.sqlite du dossier de données de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>sqlite:PATH or postgresql://user@host:port/dbname; the password goes into PGPASSWORD or ~/.pgpass, never here.</source>
        <translation>sqlite:CHEMIN ou postgresql://utilisateur@hôte:port/base ; le mot de passe va dans PGPASSWORD ou ~/.pgpass, jamais ici.</translation>
    </message>
    <message>
        <source>Store address</source>
        <translation>Adresse de l&apos;historique</translation>
    </message>
</context>
<context>
    <name>QARCompareWith</name>
    <message>
        <source>New failure since %1</source>
        <translation>Nouvel échec depuis %1</translation>
    </message>
    <message>
        <source>Fixed since %1</source>
        <translation>Corrigé depuis %1</translation>
    </message>
    <message>
        <source>Flaky: flips between passed and failed in the recorded runs</source>
        <translation>Instable : bascule entre réussi et échoué dans les exécutions enregistrées</translation>
    </message>
    <message>
        <source>An older report file…</source>
        <translation>Un fichier de rapport plus ancien…</translation>
    </message>
    <message>
        <source>Recorded run %1 (%2)</source>
        <translation>Exécution enregistrée %1 (%2)</translation>
    </message>
    <message>
        <source>Compare With</source>
        <translation>Comparer avec</translation>
    </message>
    <message>
        <source>Compare the shown reports with:</source>
        <translation>Comparer les rapports affichés avec :</translation>
    </message>
    <message>
        <source>Test reports (*.xrd *.xml);;All files (*)</source>
        <translation>Rapports de test (*.xrd *.xml);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The report %1 could not be read.</source>
        <translation>Le rapport %1 n&apos;a pas pu être lu.</translation>
    </message>
    <message>
        <source>The store holds no run %1.</source>
        <translation>L&apos;historique ne contient pas d&apos;exécution %1.</translation>
    </message>
</context>
<context>
    <name>QARTreeModel</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
</context>
</TS>
