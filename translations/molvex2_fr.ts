<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CAboutDialog</name>
    <message>
        <source>About Molvex 2</source>
        <translation>À propos de Molvex 2</translation>
    </message>
    <message>
        <source>Chemical equations typeset as you type them.</source>
        <translation>Les équations chimiques mises en forme pendant la saisie.</translation>
    </message>
    <message>
        <source>Copyright © Tamrel Software</source>
        <translation>Copyright © Tamrel Software</translation>
    </message>
</context>
<context>
    <name>CChemStatus</name>
    <message>
        <source> (+%1 more)</source>
        <translation> (+%1 autres)</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Bilan</translation>
    </message>
    <message>
        <source>Balance: %1</source>
        <translation>Bilan&#xa0;: %1</translation>
    </message>
    <message>
        <source>Reading hint</source>
        <translation>Indication de lecture</translation>
    </message>
    <message>
        <source>Reading hint: %1</source>
        <translation>Indication de lecture&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>CContactDialog</name>
    <message>
        <source>About Tamrel</source>
        <translation>À propos de Tamrel</translation>
    </message>
    <message>
        <source>Makers of Molvex 2, the chemical equation editor.</source>
        <translation>Créateurs de Molvex 2, l’éditeur d’équations chimiques.</translation>
    </message>
    <message>
        <source>Questions, suggestions and reports of problems are always welcome:</source>
        <translation>Questions, suggestions et signalements de problèmes sont toujours les bienvenus&#xa0;:</translation>
    </message>
    <message>
        <source>please write to Tamrel Software support.</source>
        <translation>écrivez au support de Tamrel Software.</translation>
    </message>
</context>
<context>
    <name>CDocumentManager</name>
    <message>
        <source>File Save Error</source>
        <translation>Erreur d’enregistrement</translation>
    </message>
</context>
<context>
    <name>CEntryBar</name>
    <message>
        <source>Drag to change the height of the entry box</source>
        <translation>Faites glisser pour changer la hauteur de la zone de saisie</translation>
    </message>
    <message>
        <source>Equation</source>
        <translation>Équation</translation>
    </message>
</context>
<context>
    <name>CEntryEdit</name>
    <message>
        <source>Equation text</source>
        <translation>Texte de l’équation</translation>
    </message>
    <message>
        <source>One equation line per line, at most 20 lines. The picture is typeset as you type.</source>
        <translation>Une ligne d’équation par ligne, 20 lignes au plus. L’image est mise en forme pendant la saisie.</translation>
    </message>
</context>
<context>
    <name>CFileDialogs</name>
    <message>
        <source>PNG picture (*.png)</source>
        <translation>Image PNG (*.png)</translation>
    </message>
    <message>
        <source>SVG picture (*.svg)</source>
        <translation>Image SVG (*.svg)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Document PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Windows metafile (*.wmf)</source>
        <translation>Métafichier Windows (*.wmf)</translation>
    </message>
    <message>
        <source>Export Picture</source>
        <translation>Exporter l’image</translation>
    </message>
    <message>
        <source>Scale of the PNG picture (1: the size on screen at 100%):</source>
        <translation>Échelle de l’image PNG (1&#xa0;: la taille à l’écran à 100&#xa0;%)&#xa0;:</translation>
    </message>
    <message>
        <source>Molvex Files (*.mv2)</source>
        <translation>Fichiers Molvex (*.mv2)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
</context>
<context>
    <name>CFontChooser</name>
    <message>
        <source>Black</source>
        <translation>Noir</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Marron</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Bleu marine</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Violet</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Sarcelle</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gris</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Argent</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Citron vert</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Jaune</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personnalisée</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>&amp;Couleur&#xa0;:</translation>
    </message>
</context>
<context>
    <name>CIniStore</name>
    <message>
        <source>File Save Error</source>
        <translation>Erreur d’enregistrement</translation>
    </message>
    <message>
        <source>Unable to write file %1.

Administrator privileges are probably needed to save this file.  Please contact your IT staff.</source>
        <translation>Impossible d’écrire le fichier %1.

Des droits d’administrateur sont probablement nécessaires pour enregistrer ce fichier. Veuillez contacter votre service informatique.</translation>
    </message>
    <message>
        <source>Unable to write file %1.

It could not be read (%2), so saving would lose the settings it holds; it was left as it is.</source>
        <translation>Impossible d’écrire le fichier %1.

Il n’a pas pu être lu (%2)&#xa0;; l’enregistrer ferait perdre les réglages qu’il contient, il a donc été laissé tel quel.</translation>
    </message>
</context>
<context>
    <name>CLevelDialog</name>
    <message>
        <source>Level of your equations</source>
        <translation>Niveau de vos équations</translation>
    </message>
    <message>
        <source>Very High</source>
        <translation>Très hautes</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hautes</translation>
    </message>
    <message>
        <source>A Little High</source>
        <translation>Un peu hautes</translation>
    </message>
    <message>
        <source>A Little Low</source>
        <translation>Un peu basses</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Basses</translation>
    </message>
    <message>
        <source>Very Low</source>
        <translation>Très basses</translation>
    </message>
    <message>
        <source>Level: %1</source>
        <translation>Niveau&#xa0;: %1</translation>
    </message>
    <message>
        <source>Level Adjustment</source>
        <translation>Ajustement du niveau</translation>
    </message>
    <message>
        <source>Your Equations Are</source>
        <translation>Vos équations sont</translation>
    </message>
    <message>
        <source>Move the level to %1</source>
        <translation>Placer le niveau à %1</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Moves equations up or down against the surrounding text when they are placed into a document. It is used by the LibreOffice extension and by any container that reads the lowering hint.</source>
        <translation>Déplace les équations vers le haut ou vers le bas par rapport au texte qui les entoure quand elles sont placées dans un document. Ce réglage est utilisé par l’extension LibreOffice et par tout programme qui lit l’indication d’abaissement.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Veuillez saisir un nombre entier.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Veuillez saisir un nombre entier entre %1 et %2.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>The line of the equation the caret is on</source>
        <translation>La ligne de l’équation où se trouve le curseur</translation>
    </message>
    <message>
        <source>An equation has at most %1 lines.</source>
        <translation>Une équation a au plus %1 lignes.</translation>
    </message>
    <message>
        <source>Line %1 of %2</source>
        <translation>Ligne %1 sur %2</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>The picture was written to %1</source>
        <translation>L’image a été écrite dans %1</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>DEF</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Zoom of the equation view</source>
        <translation>Zoom de la vue de l’équation</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 lines are typeset</source>
        <translation>Seules les %1 premières lignes sur %2 sont mises en forme</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>L’imprimante n’a pas pu être démarrée.</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>MAJ</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>The settings in %1 could not be read (%2). Changes to them will not be saved, so that nothing in the file is lost.</source>
        <translation>Les paramètres de %1 n’ont pas pu être lus (%2). Leurs modifications ne seront pas enregistrées, afin que rien ne soit perdu dans le fichier.</translation>
    </message>
    <message>
        <source>Settings not read: %1</source>
        <translation>Paramètres non lus : %1</translation>
    </message>
</context>
<context>
    <name>CMolvexApp</name>
    <message>
        <source>Save changes to %1?</source>
        <translation>Enregistrer les modifications de %1&#xa0;?</translation>
    </message>
    <message>
        <source>Write Default Configuration File</source>
        <translation>Écrire le fichier de configuration par défaut</translation>
    </message>
    <message>
        <source>Write your current options and level adjustment to
%1?

They become the settings of every user of this computer the next time each starts Molvex 2.</source>
        <translation>Écrire vos options actuelles et l’ajustement du niveau dans
%1&#xa0;?

Ils deviendront les réglages de chaque utilisateur de cet ordinateur au prochain démarrage de Molvex 2.</translation>
    </message>
</context>
<context>
    <name>CMolvexDoc</name>
    <message>
        <source>Unexpected file format.</source>
        <translation>Format de fichier inattendu.</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>Impossible d’ouvrir le document.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Impossible d’enregistrer le document.</translation>
    </message>
    <message>
        <source>Cannot open the Clipboard</source>
        <translation>Impossible d’ouvrir le presse-papiers</translation>
    </message>
    <message>
        <source>Cannot empty the Clipboard</source>
        <translation>Impossible de vider le presse-papiers</translation>
    </message>
</context>
<context>
    <name>CMolvexView</name>
    <message>
        <source>The equation is empty.</source>
        <translation>L’équation est vide.</translation>
    </message>
    <message>
        <source>Line %1 is empty.</source>
        <translation>La ligne %1 est vide.</translation>
    </message>
    <message>
        <source>Line %1: %2.</source>
        <translation>Ligne %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The whole equation: %1</source>
        <translation>L’équation entière&#xa0;: %1</translation>
    </message>
    <message>
        <source>Equation picture</source>
        <translation>Image de l’équation</translation>
    </message>
    <message>
        <source>Equation picture: %1</source>
        <translation>Image de l’équation&#xa0;: %1</translation>
    </message>
    <message>
        <source>Line %1, “%2”: %3 (class %4), %5 (display code %6)</source>
        <translation>Ligne %1, «&#xa0;%2&#xa0;»&#xa0;: %3 (classe %4), %5 (code d’affichage %6)</translation>
    </message>
</context>
<context>
    <name>COptionsDialog</name>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Value %1</source>
        <translation>Valeur %1</translation>
    </message>
    <message>
        <source>Single line half arrows</source>
        <translation>Un trait, demi-pointes</translation>
    </message>
    <message>
        <source>Single line full arrows</source>
        <translation>Un trait, pointes entières</translation>
    </message>
    <message>
        <source>Double lines half arrows</source>
        <translation>Deux traits, demi-pointes</translation>
    </message>
    <message>
        <source>Double lines full arrows</source>
        <translation>Deux traits, pointes entières</translation>
    </message>
    <message>
        <source>Molvex 2 Options</source>
        <translation>Options de Molvex 2</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Niveaux</translation>
    </message>
    <message>
        <source>Arrows</source>
        <translation>Flèches</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Exposant</translation>
    </message>
    <message>
        <source>Subscript</source>
        <translation>Indice</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Text Sizes</source>
        <translation>Tailles du texte</translation>
    </message>
    <message>
        <source>Arrow Text</source>
        <translation>Texte des flèches</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Spacing</source>
        <translation>Interligne</translation>
    </message>
    <message>
        <source>Equilibrium Arrow Type</source>
        <translation>Type de flèche d’équilibre</translation>
    </message>
    <message>
        <source>Italicize Phase</source>
        <translation>États en italique</translation>
    </message>
    <message>
        <source>Default Arrow Width</source>
        <translation>Largeur des flèches par défaut</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Set as Default</source>
        <translation>Définir par défaut</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>CSaveChangesDialog</name>
    <message>
        <source>Unsaved Documents</source>
        <translation>Documents non enregistrés</translation>
    </message>
    <message>
        <source>These documents have changes that are not saved. Save the ticked ones?</source>
        <translation>Ces documents ont des modifications non enregistrées. Enregistrer ceux qui sont cochés&#xa0;?</translation>
    </message>
    <message>
        <source>Unsaved documents</source>
        <translation>Documents non enregistrés</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Tout enregistrer</translation>
    </message>
    <message>
        <source>Discard All</source>
        <translation>Tout abandonner</translation>
    </message>
    <message>
        <source>Save Selected</source>
        <translation>Enregistrer la sélection</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Nouveau	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>Crée un nouveau document
Nouveau</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>&amp;Ouvrir...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>Ouvre un document existant
Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>Ferme le document actif
Fermer</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Enregistrer	Ctrl+S</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>Enregistre le document actif
Enregistrer</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>Enregistre le document actif sous un nouveau nom
Enregistrer sous</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>&amp;Configuration de l’impression...</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Change l’imprimante et les options d’impression
Configuration de l’impression</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Imprimer...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>Imprime le document actif
Imprimer</translation>
    </message>
    <message>
        <source>Print the active document using current options
Quick Print</source>
        <translation>Imprime le document actif avec les options actuelles
Impression rapide</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>&amp;Aperçu avant impression</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Affiche des pages entières
Aperçu avant impression</translation>
    </message>
    <message>
        <source>&amp;Update	Ctrl+S</source>
        <translation>&amp;Mettre à jour	Ctrl+S</translation>
    </message>
    <message>
        <source>Update the container to show any changes
Update</source>
        <translation>Met à jour le document qui contient l’équation
Mettre à jour</translation>
    </message>
    <message>
        <source>Save Copy &amp;As...</source>
        <translation>Enregistrer une co&amp;pie sous...</translation>
    </message>
    <message>
        <source>Save a copy of the active document with a new name
Save Copy</source>
        <translation>Enregistre une copie du document actif sous un nouveau nom
Enregistrer une copie</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Quitte le programme et propose d’enregistrer les documents
Quitter</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Annuler	Ctrl+Z</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>Annule la dernière action
Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>&amp;Rétablir	Ctrl+Y</translation>
    </message>
    <message>
        <source>Redo the previously undone action
Redo</source>
        <translation>Rétablit l’action annulée
Rétablir</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>Co&amp;uper	Ctrl+X</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>Coupe la sélection et la place dans le presse-papiers
Couper</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Copier	Ctrl+C</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>Copie la sélection dans le presse-papiers
Copier</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>C&amp;oller	Ctrl+V</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>Insère le contenu du presse-papiers
Coller</translation>
    </message>
    <message>
        <source>Copy as Picture	Ctrl+M</source>
        <translation>Copier comme image	Ctrl+M</translation>
    </message>
    <message>
        <source>Copies Equation to Clipboard as a Picture</source>
        <translation>Copie l’équation dans le presse-papiers sous forme d’image</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>Barre d’&amp;outils</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Affiche ou masque la barre d’outils
Barre d’outils</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Barre d’&amp;état</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Affiche ou masque la barre d’état
Barre d’état</translation>
    </message>
    <message>
        <source>Zoom &amp;In	Ctrl++</source>
        <translation>Zoom &amp;avant	Ctrl++</translation>
    </message>
    <message>
        <source>Show the equation larger
Zoom In</source>
        <translation>Affiche l’équation en plus grand
Zoom avant</translation>
    </message>
    <message>
        <source>Zoom &amp;Out	Ctrl+-</source>
        <translation>Zoom a&amp;rrière	Ctrl+-</translation>
    </message>
    <message>
        <source>Show the equation smaller
Zoom Out</source>
        <translation>Affiche l’équation en plus petit
Zoom arrière</translation>
    </message>
    <message>
        <source>&amp;Actual Size	Ctrl+0</source>
        <translation>&amp;Taille réelle	Ctrl+0</translation>
    </message>
    <message>
        <source>Show the equation at its actual size
Actual Size</source>
        <translation>Affiche l’équation à sa taille réelle
Taille réelle</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>Arrange windows so they overlap
Cascade Windows</source>
        <translation>Dispose les fenêtres en cascade
Fenêtres en cascade</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Mosaïque</translation>
    </message>
    <message>
        <source>Arrange windows as non-overlapping tiles
Tile Windows</source>
        <translation>Dispose les fenêtres en mosaïque, sans chevauchement
Fenêtres en mosaïque</translation>
    </message>
    <message>
        <source>Ne&amp;xt	Ctrl+F6</source>
        <translation>&amp;Suivante	Ctrl+F6</translation>
    </message>
    <message>
        <source>Activate the next document window
Next Window</source>
        <translation>Active la fenêtre de document suivante
Fenêtre suivante</translation>
    </message>
    <message>
        <source>Pre&amp;vious	Ctrl+Shift+F6</source>
        <translation>&amp;Précédente	Ctrl+Maj+F6</translation>
    </message>
    <message>
        <source>Activate the previous document window
Previous Window</source>
        <translation>Active la fenêtre de document précédente
Fenêtre précédente</translation>
    </message>
    <message>
        <source>&amp;Font ...</source>
        <translation>&amp;Police ...</translation>
    </message>
    <message>
        <source>Select font used for equations</source>
        <translation>Choisit la police des équations</translation>
    </message>
    <message>
        <source>Change the Default Font</source>
        <translation>Changer la police par défaut</translation>
    </message>
    <message>
        <source>&amp;Options ...</source>
        <translation>&amp;Options ...</translation>
    </message>
    <message>
        <source>Set options for drawing equations</source>
        <translation>Règle les options de dessin des équations</translation>
    </message>
    <message>
        <source>Change the Equation Options</source>
        <translation>Changer les options des équations</translation>
    </message>
    <message>
        <source>&amp;Adjust Level ...</source>
        <translation>Ajuster le &amp;niveau ...</translation>
    </message>
    <message>
        <source>Adjust the level when returned to a document</source>
        <translation>Ajuste le niveau des équations par rapport au texte du document</translation>
    </message>
    <message>
        <source>Write Default Configuration File</source>
        <translation>Écrire le fichier de configuration par défaut</translation>
    </message>
    <message>
        <source>Writes the default configuration file for all users</source>
        <translation>Écrit le fichier de configuration par défaut pour tous les utilisateurs</translation>
    </message>
    <message>
        <source>Read &amp;Help File</source>
        <translation>Lire le fichier d’&amp;aide</translation>
    </message>
    <message>
        <source>Open the help file
Help File</source>
        <translation>Ouvre le fichier d’aide
Fichier d’aide</translation>
    </message>
    <message>
        <source>Read &amp;Manual (PDF)</source>
        <translation>Lire le &amp;manuel (PDF)</translation>
    </message>
    <message>
        <source>Open the manual
Manual</source>
        <translation>Ouvre le manuel
Manuel</translation>
    </message>
    <message>
        <source>Read &amp;Quickref Card</source>
        <translation>Lire l’aide-&amp;mémoire</translation>
    </message>
    <message>
        <source>Open the quick reference card
Quickref Card</source>
        <translation>Ouvre l’aide-mémoire
Aide-mémoire</translation>
    </message>
    <message>
        <source>&amp;About Molvex 2...</source>
        <translation>À &amp;propos de Molvex 2...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Affiche les informations sur le programme, le numéro de version et le copyright
À propos</translation>
    </message>
    <message>
        <source>About &amp;Tamrel...</source>
        <translation>À propos de &amp;Tamrel...</translation>
    </message>
    <message>
        <source>How to contact Tamrel Software
Contact</source>
        <translation>Comment contacter Tamrel Software
Contact</translation>
    </message>
    <message>
        <source>List Help topics
Help Topics</source>
        <translation>Liste les rubriques d’aide
Rubriques d’aide</translation>
    </message>
    <message>
        <source>Display help for clicked on buttons, menus and windows
Help</source>
        <translation>Affiche l’aide sur les boutons, menus et fenêtres cliqués
Aide</translation>
    </message>
    <message>
        <source>Display help for current task or command
Help</source>
        <translation>Affiche l’aide sur la tâche ou la commande en cours
Aide</translation>
    </message>
    <message>
        <source>Display instructions about how to use help
Help</source>
        <translation>Explique comment utiliser l’aide
Aide</translation>
    </message>
    <message>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>Passe au volet suivant de la fenêtre
Volet suivant</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>Revient au volet précédent de la fenêtre
Volet précédent</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Fichier récent</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Ouvre ce document</translation>
    </message>
    <message>
        <source>Activate this window</source>
        <translation>Active cette fenêtre</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>Fe&amp;nêtre</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xporter...</translation>
    </message>
    <message>
        <source>Write the equation as a picture file: PNG, SVG, PDF or WMF
Export</source>
        <translation>Écrit l’équation dans un fichier image&#xa0;: PNG, SVG, PDF ou WMF
Exporter</translation>
    </message>
</context>
<context>
    <name>DefaultConfig</name>
    <message>
        <source>A default configuration file has been written to
%1

Read the installation instructions for details
on how to use this feature.</source>
        <translation>Un fichier de configuration par défaut a été écrit dans
%1

Consultez les instructions d’installation pour savoir
comment utiliser cette fonction.</translation>
    </message>
</context>
<context>
    <name>HelpCommands</name>
    <message>
        <source>File Error</source>
        <translation>Erreur de fichier</translation>
    </message>
    <message>
        <source>I cannot locate that file</source>
        <translation>Impossible de trouver ce fichier</translation>
    </message>
    <message>
        <source>Cannot find Adobe Acrobat</source>
        <translation>Adobe Acrobat introuvable</translation>
    </message>
    <message>
        <source>A PDF reader is needed to read this document, and none is set up to open PDF files.

Please install a PDF reader (for example Adobe Acrobat Reader, Okular or Evince) and try again.</source>
        <translation>Un lecteur PDF est nécessaire pour lire ce document, et aucun n’est configuré pour ouvrir les fichiers PDF.

Veuillez installer un lecteur PDF (par exemple Adobe Acrobat Reader, Okular ou Evince) puis réessayer.</translation>
    </message>
    <message>
        <source>

The document is
%1</source>
        <translation>

Le document est
%1</translation>
    </message>
    <message>
        <source>Cannot find a web browser</source>
        <translation>Navigateur web introuvable</translation>
    </message>
    <message>
        <source>A web browser is needed to read the help file, and none could open it.

Please install a web browser and try again, or open the file yourself.</source>
        <translation>Un navigateur web est nécessaire pour lire le fichier d’aide, et aucun n’a pu l’ouvrir.

Veuillez installer un navigateur web puis réessayer, ou ouvrez le fichier vous-même.</translation>
    </message>
</context>
<context>
    <name>chem</name>
    <message>
        <source>hydrogen</source>
        <translation>hydrogène</translation>
    </message>
    <message>
        <source>helium</source>
        <translation>hélium</translation>
    </message>
    <message>
        <source>lithium</source>
        <translation>lithium</translation>
    </message>
    <message>
        <source>beryllium</source>
        <translation>béryllium</translation>
    </message>
    <message>
        <source>boron</source>
        <translation>bore</translation>
    </message>
    <message>
        <source>carbon</source>
        <translation>carbone</translation>
    </message>
    <message>
        <source>nitrogen</source>
        <translation>azote</translation>
    </message>
    <message>
        <source>oxygen</source>
        <translation>oxygène</translation>
    </message>
    <message>
        <source>fluorine</source>
        <translation>fluor</translation>
    </message>
    <message>
        <source>neon</source>
        <translation>néon</translation>
    </message>
    <message>
        <source>sodium</source>
        <translation>sodium</translation>
    </message>
    <message>
        <source>magnesium</source>
        <translation>magnésium</translation>
    </message>
    <message>
        <source>aluminium</source>
        <translation>aluminium</translation>
    </message>
    <message>
        <source>silicon</source>
        <translation>silicium</translation>
    </message>
    <message>
        <source>phosphorus</source>
        <translation>phosphore</translation>
    </message>
    <message>
        <source>sulfur</source>
        <translation>soufre</translation>
    </message>
    <message>
        <source>chlorine</source>
        <translation>chlore</translation>
    </message>
    <message>
        <source>argon</source>
        <translation>argon</translation>
    </message>
    <message>
        <source>potassium</source>
        <translation>potassium</translation>
    </message>
    <message>
        <source>calcium</source>
        <translation>calcium</translation>
    </message>
    <message>
        <source>scandium</source>
        <translation>scandium</translation>
    </message>
    <message>
        <source>titanium</source>
        <translation>titane</translation>
    </message>
    <message>
        <source>vanadium</source>
        <translation>vanadium</translation>
    </message>
    <message>
        <source>chromium</source>
        <translation>chrome</translation>
    </message>
    <message>
        <source>manganese</source>
        <translation>manganèse</translation>
    </message>
    <message>
        <source>iron</source>
        <translation>fer</translation>
    </message>
    <message>
        <source>cobalt</source>
        <translation>cobalt</translation>
    </message>
    <message>
        <source>nickel</source>
        <translation>nickel</translation>
    </message>
    <message>
        <source>copper</source>
        <translation>cuivre</translation>
    </message>
    <message>
        <source>zinc</source>
        <translation>zinc</translation>
    </message>
    <message>
        <source>gallium</source>
        <translation>gallium</translation>
    </message>
    <message>
        <source>germanium</source>
        <translation>germanium</translation>
    </message>
    <message>
        <source>arsenic</source>
        <translation>arsenic</translation>
    </message>
    <message>
        <source>selenium</source>
        <translation>sélénium</translation>
    </message>
    <message>
        <source>bromine</source>
        <translation>brome</translation>
    </message>
    <message>
        <source>krypton</source>
        <translation>krypton</translation>
    </message>
    <message>
        <source>rubidium</source>
        <translation>rubidium</translation>
    </message>
    <message>
        <source>strontium</source>
        <translation>strontium</translation>
    </message>
    <message>
        <source>yttrium</source>
        <translation>yttrium</translation>
    </message>
    <message>
        <source>zirconium</source>
        <translation>zirconium</translation>
    </message>
    <message>
        <source>niobium</source>
        <translation>niobium</translation>
    </message>
    <message>
        <source>molybdenum</source>
        <translation>molybdène</translation>
    </message>
    <message>
        <source>technetium</source>
        <translation>technétium</translation>
    </message>
    <message>
        <source>ruthenium</source>
        <translation>ruthénium</translation>
    </message>
    <message>
        <source>rhodium</source>
        <translation>rhodium</translation>
    </message>
    <message>
        <source>palladium</source>
        <translation>palladium</translation>
    </message>
    <message>
        <source>silver</source>
        <translation>argent</translation>
    </message>
    <message>
        <source>cadmium</source>
        <translation>cadmium</translation>
    </message>
    <message>
        <source>indium</source>
        <translation>indium</translation>
    </message>
    <message>
        <source>tin</source>
        <translation>étain</translation>
    </message>
    <message>
        <source>antimony</source>
        <translation>antimoine</translation>
    </message>
    <message>
        <source>tellurium</source>
        <translation>tellure</translation>
    </message>
    <message>
        <source>iodine</source>
        <translation>iode</translation>
    </message>
    <message>
        <source>xenon</source>
        <translation>xénon</translation>
    </message>
    <message>
        <source>caesium</source>
        <translation>césium</translation>
    </message>
    <message>
        <source>barium</source>
        <translation>baryum</translation>
    </message>
    <message>
        <source>lanthanum</source>
        <translation>lanthane</translation>
    </message>
    <message>
        <source>cerium</source>
        <translation>cérium</translation>
    </message>
    <message>
        <source>praseodymium</source>
        <translation>praséodyme</translation>
    </message>
    <message>
        <source>neodymium</source>
        <translation>néodyme</translation>
    </message>
    <message>
        <source>promethium</source>
        <translation>prométhium</translation>
    </message>
    <message>
        <source>samarium</source>
        <translation>samarium</translation>
    </message>
    <message>
        <source>europium</source>
        <translation>europium</translation>
    </message>
    <message>
        <source>gadolinium</source>
        <translation>gadolinium</translation>
    </message>
    <message>
        <source>terbium</source>
        <translation>terbium</translation>
    </message>
    <message>
        <source>dysprosium</source>
        <translation>dysprosium</translation>
    </message>
    <message>
        <source>holmium</source>
        <translation>holmium</translation>
    </message>
    <message>
        <source>erbium</source>
        <translation>erbium</translation>
    </message>
    <message>
        <source>thulium</source>
        <translation>thulium</translation>
    </message>
    <message>
        <source>ytterbium</source>
        <translation>ytterbium</translation>
    </message>
    <message>
        <source>lutetium</source>
        <translation>lutécium</translation>
    </message>
    <message>
        <source>hafnium</source>
        <translation>hafnium</translation>
    </message>
    <message>
        <source>tantalum</source>
        <translation>tantale</translation>
    </message>
    <message>
        <source>tungsten</source>
        <translation>tungstène</translation>
    </message>
    <message>
        <source>rhenium</source>
        <translation>rhénium</translation>
    </message>
    <message>
        <source>osmium</source>
        <translation>osmium</translation>
    </message>
    <message>
        <source>iridium</source>
        <translation>iridium</translation>
    </message>
    <message>
        <source>platinum</source>
        <translation>platine</translation>
    </message>
    <message>
        <source>gold</source>
        <translation>or</translation>
    </message>
    <message>
        <source>mercury</source>
        <translation>mercure</translation>
    </message>
    <message>
        <source>thallium</source>
        <translation>thallium</translation>
    </message>
    <message>
        <source>lead</source>
        <translation>plomb</translation>
    </message>
    <message>
        <source>bismuth</source>
        <translation>bismuth</translation>
    </message>
    <message>
        <source>polonium</source>
        <translation>polonium</translation>
    </message>
    <message>
        <source>astatine</source>
        <translation>astate</translation>
    </message>
    <message>
        <source>radon</source>
        <translation>radon</translation>
    </message>
    <message>
        <source>francium</source>
        <translation>francium</translation>
    </message>
    <message>
        <source>radium</source>
        <translation>radium</translation>
    </message>
    <message>
        <source>actinium</source>
        <translation>actinium</translation>
    </message>
    <message>
        <source>thorium</source>
        <translation>thorium</translation>
    </message>
    <message>
        <source>protactinium</source>
        <translation>protactinium</translation>
    </message>
    <message>
        <source>uranium</source>
        <translation>uranium</translation>
    </message>
    <message>
        <source>neptunium</source>
        <translation>neptunium</translation>
    </message>
    <message>
        <source>plutonium</source>
        <translation>plutonium</translation>
    </message>
    <message>
        <source>americium</source>
        <translation>américium</translation>
    </message>
    <message>
        <source>curium</source>
        <translation>curium</translation>
    </message>
    <message>
        <source>berkelium</source>
        <translation>berkélium</translation>
    </message>
    <message>
        <source>californium</source>
        <translation>californium</translation>
    </message>
    <message>
        <source>einsteinium</source>
        <translation>einsteinium</translation>
    </message>
    <message>
        <source>fermium</source>
        <translation>fermium</translation>
    </message>
    <message>
        <source>mendelevium</source>
        <translation>mendélévium</translation>
    </message>
    <message>
        <source>nobelium</source>
        <translation>nobélium</translation>
    </message>
    <message>
        <source>lawrencium</source>
        <translation>lawrencium</translation>
    </message>
    <message>
        <source>rutherfordium</source>
        <translation>rutherfordium</translation>
    </message>
    <message>
        <source>dubnium</source>
        <translation>dubnium</translation>
    </message>
    <message>
        <source>seaborgium</source>
        <translation>seaborgium</translation>
    </message>
    <message>
        <source>bohrium</source>
        <translation>bohrium</translation>
    </message>
    <message>
        <source>hassium</source>
        <translation>hassium</translation>
    </message>
    <message>
        <source>meitnerium</source>
        <translation>meitnérium</translation>
    </message>
    <message>
        <source>darmstadtium</source>
        <translation>darmstadtium</translation>
    </message>
    <message>
        <source>roentgenium</source>
        <translation>roentgenium</translation>
    </message>
    <message>
        <source>copernicium</source>
        <translation>copernicium</translation>
    </message>
    <message>
        <source>nihonium</source>
        <translation>nihonium</translation>
    </message>
    <message>
        <source>flerovium</source>
        <translation>flérovium</translation>
    </message>
    <message>
        <source>moscovium</source>
        <translation>moscovium</translation>
    </message>
    <message>
        <source>livermorium</source>
        <translation>livermorium</translation>
    </message>
    <message>
        <source>tennessine</source>
        <translation>tennesse</translation>
    </message>
    <message>
        <source>oganesson</source>
        <translation>oganesson</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>«&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>a species</source>
        <translation>une espèce chimique</translation>
    </message>
    <message>
        <source>%1 is not a species</source>
        <translation>%1 n’est pas une espèce chimique</translation>
    </message>
    <message>
        <source>a stacked pair stands before nothing</source>
        <translation>une paire de nombres ne précède aucun symbole</translation>
    </message>
    <message>
        <source>numbers too large</source>
        <translation>nombres trop grands</translation>
    </message>
    <message>
        <source>the stacked pair {%1,%2} is not two numbers</source>
        <translation>la paire {%1,%2} n’est pas formée de deux nombres</translation>
    </message>
    <message>
        <source>%1 has no mass and atomic numbers</source>
        <translation>%1 n’a ni nombre de masse ni numéro atomique</translation>
    </message>
    <message>
        <source>the arrow is not closed</source>
        <translation>la flèche n’est pas fermée</translation>
    </message>
    <message>
        <source>nothing before the arrow</source>
        <translation>rien avant la flèche</translation>
    </message>
    <message>
        <source>nothing after the arrow</source>
        <translation>rien après la flèche</translation>
    </message>
    <message>
        <source>mass number</source>
        <translation>nombre de masse</translation>
    </message>
    <message>
        <source>atomic number</source>
        <translation>numéro atomique</translation>
    </message>
    <message>
        <source>%1 %2 → %3</source>
        <translation>%1 %2 → %3</translation>
    </message>
    <message>
        <source>charge %1 → %2</source>
        <translation>charge %1 → %2</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1&#xa0;; %2</translation>
    </message>
    <message>
        <source>balanced</source>
        <translation>équilibrée</translation>
    </message>
    <message>
        <source>arrow %1: %2</source>
        <translation>flèche %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>not balanced: %1</source>
        <translation>non équilibrée&#xa0;: %1</translation>
    </message>
    <message>
        <source>cannot check: %1</source>
        <translation>vérification impossible&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1 is read as %2: type a capital letter to keep your own case</source>
        <translation>%1 est lu comme %2&#xa0;: tapez une majuscule pour conserver votre écriture</translation>
    </message>
    <message>
        <source>%1 is read as %2 (%3): type a capital letter to keep your own case</source>
        <translation>%1 est lu comme %2 (%3)&#xa0;: tapez une majuscule pour conserver votre écriture</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 keeps its %2 as a subscript with charge %3: only the listed ions (such as Fe3+) raise a single digit</source>
        <translation>%1 garde son %2 en indice, avec la charge %3&#xa0;: seuls les ions de la liste (comme Fe3+) mettent un chiffre seul en exposant</translation>
    </message>
    <message>
        <source>%1 is read as %2 with charge %3: the last digit before a sign is the charge</source>
        <translation>%1 est lu comme %2 de charge %3&#xa0;: le dernier chiffre avant un signe est la charge</translation>
    </message>
    <message>
        <source>the arrow opened by %1 at column %2 is never closed: end it with %3</source>
        <translation>la flèche ouverte par %1 à la colonne %2 n’est jamais fermée&#xa0;: terminez-la par %3</translation>
    </message>
    <message>
        <source>%1 at column %2 opens a reaction arrow; for an equals sign put it in quotes: %3</source>
        <translation>%1 à la colonne %2 ouvre une flèche de réaction&#xa0;; pour un signe égal, mettez-le entre guillemets&#xa0;: %3</translation>
    </message>
    <message>
        <source>the quote at column %1 is never closed: the rest of the line is drawn as typed</source>
        <translation>le guillemet de la colonne %1 n’est jamais fermé&#xa0;: le reste de la ligne est dessiné tel quel</translation>
    </message>
    <message>
        <source>the brace at column %1 is never closed: end the pair with %2</source>
        <translation>l’accolade de la colonne %1 n’est jamais fermée&#xa0;: terminez la paire par %2</translation>
    </message>
    <message>
        <source>above arrow %1: %2</source>
        <translation>au-dessus de la flèche %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>below arrow %1: %2</source>
        <translation>sous la flèche %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>arrow texts are nested more than %1 deep</source>
        <translation>textes de flèche imbriqués sur plus de %1 niveaux</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The running Molvex 2 refused to open %1.</source>
        <translation>Le Molvex 2 déjà ouvert a refusé d’ouvrir %1.</translation>
    </message>
    <message>
        <source>The running Molvex 2 refused to make a new document.</source>
        <translation>Le Molvex 2 déjà ouvert a refusé de créer un nouveau document.</translation>
    </message>
</context>
</TS>
