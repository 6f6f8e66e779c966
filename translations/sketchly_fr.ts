<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Option inconnue « %1 ».</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Valeur manquante après « %1 ».</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Valeur inattendue après « %1 ».</translation>
    </message>
</context>
<context>
    <name>calc</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>%1 (key %2)</source>
        <translation>%1 (touche %2)</translation>
    </message>
    <message>
        <source>Decimal point</source>
        <translation>Virgule décimale</translation>
    </message>
    <message>
        <source>. or ,</source>
        <translation>. ou ,</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Additionner</translation>
    </message>
    <message>
        <source>Subtract</source>
        <translation>Soustraire</translation>
    </message>
    <message>
        <source>Multiply</source>
        <translation>Multiplier</translation>
    </message>
    <message>
        <source>Divide</source>
        <translation>Diviser</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>Égal</translation>
    </message>
    <message>
        <source>= or Enter</source>
        <translation>= ou Entrée</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Carré</translation>
    </message>
    <message>
        <source>Square root</source>
        <translation>Racine carrée</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Tout effacer</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Échap</translation>
    </message>
    <message>
        <source>Clear entry</source>
        <translation>Effacer la saisie</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Suppr</translation>
    </message>
    <message>
        <source>Subtract one</source>
        <translation>Soustraire un</translation>
    </message>
    <message>
        <source>Add one</source>
        <translation>Ajouter un</translation>
    </message>
    <message>
        <source>Take back the last digit</source>
        <translation>Effacer le dernier chiffre</translation>
    </message>
    <message>
        <source>Digits</source>
        <translation>Chiffres</translation>
    </message>
    <message>
        <source>Memory holds %1</source>
        <translation>En mémoire : %1</translation>
    </message>
</context>
<context>
    <name>colours</name>
    <message>
        <source>white</source>
        <translation>blanc</translation>
    </message>
    <message>
        <source>light yellow</source>
        <translation>jaune clair</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>jaune</translation>
    </message>
    <message>
        <source>silver</source>
        <translation>argent</translation>
    </message>
    <message>
        <source>light red</source>
        <translation>rouge clair</translation>
    </message>
    <message>
        <source>red</source>
        <translation>rouge</translation>
    </message>
    <message>
        <source>light green</source>
        <translation>vert clair</translation>
    </message>
    <message>
        <source>green</source>
        <translation>vert</translation>
    </message>
    <message>
        <source>light cyan</source>
        <translation>cyan clair</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>cyan</translation>
    </message>
    <message>
        <source>light magenta</source>
        <translation>magenta clair</translation>
    </message>
    <message>
        <source>purple</source>
        <translation>violet</translation>
    </message>
    <message>
        <source>navy</source>
        <translation>bleu marine</translation>
    </message>
    <message>
        <source>teal</source>
        <translation>sarcelle</translation>
    </message>
    <message>
        <source>pale green</source>
        <translation>vert pâle</translation>
    </message>
    <message>
        <source>pale cyan</source>
        <translation>cyan pâle</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>bleu</translation>
    </message>
    <message>
        <source>olive</source>
        <translation>olive</translation>
    </message>
    <message>
        <source>dark olive</source>
        <translation>olive foncé</translation>
    </message>
    <message>
        <source>black</source>
        <translation>noir</translation>
    </message>
    <message>
        <source>grey</source>
        <translation>gris</translation>
    </message>
    <message>
        <source>lime</source>
        <translation>citron vert</translation>
    </message>
    <message>
        <source>bright blue</source>
        <translation>bleu vif</translation>
    </message>
    <message>
        <source>aqua</source>
        <translation>aqua</translation>
    </message>
    <message>
        <source>magenta</source>
        <translation>magenta</translation>
    </message>
    <message>
        <source>maroon</source>
        <translation>bordeaux</translation>
    </message>
    <message>
        <source>red %1, green %2, blue %3</source>
        <translation>rouge %1, vert %2, bleu %3</translation>
    </message>
</context>
<context>
    <name>common</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Commande</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Touches</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <source>Licence: MIT</source>
        <translation>Licence : MIT</translation>
    </message>
    <message>
        <source>Qt version: %1</source>
        <translation>Version de Qt : %1</translation>
    </message>
    <message>
        <source>cannot connect to a display</source>
        <translation>impossible de se connecter à un affichage</translation>
    </message>
    <message>
        <source>Qt&apos;s own options work too, such as -platform NAME, -display DISPLAY,
-style NAME and -reverse.</source>
        <translation>Les options propres à Qt fonctionnent aussi, comme -platform NOM,
-display AFFICHAGE, -style NOM et -reverse.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Afficher cette aide et quitter.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Afficher la version et quitter.</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>Utilisation : %1 [options]</translation>
    </message>
    <message>
        <source>The file to open at start.</source>
        <translation>Le fichier à ouvrir au démarrage.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Essayez « %1 --help » pour plus d’informations.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;.</source>
        <translation>argument inattendu « %1 ».</translation>
    </message>
    <message>
        <source>cannot connect to a display (neither DISPLAY nor WAYLAND_DISPLAY is set)</source>
        <translation>impossible de se connecter à un affichage (ni DISPLAY ni WAYLAND_DISPLAY n’est défini)</translation>
    </message>
    <message>
        <source>Sketchly: draw lines, shapes and freehand strokes.</source>
        <translation>Sketchly : dessinez des lignes, des formes et à main levée.</translation>
    </message>
    <message>
        <source>A pocket calculator with one pending operation.</source>
        <translation>Une calculatrice de poche avec une opération en attente.</translation>
    </message>
    <message>
        <source>This is not finished: %1 Stop it and close the window?</source>
        <translation>Ce n’est pas terminé : %1 L’interrompre et fermer la fenêtre ?</translation>
    </message>
    <message>
        <source>The program that holds the clipboard does not answer. Nothing was pasted.</source>
        <translation>Le programme qui détient le presse-papiers ne répond pas. Rien n’a été collé.</translation>
    </message>
    <message>
        <source>&amp;Recover</source>
        <translation>&amp;Récupérer</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Abandonner</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>É&amp;craser</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
</context>
<context>
    <name>controls</name>
    <message>
        <source>Canvas</source>
        <translation>Toile</translation>
    </message>
    <message>
        <source>Move tool</source>
        <translation>Outil de déplacement</translation>
    </message>
    <message>
        <source>Freehand tool</source>
        <translation>Outil main levée</translation>
    </message>
    <message>
        <source>Line tool</source>
        <translation>Outil ligne</translation>
    </message>
    <message>
        <source>Circle tool</source>
        <translation>Outil cercle</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Gomme</translation>
    </message>
    <message>
        <source>Rectangle tool</source>
        <translation>Outil rectangle</translation>
    </message>
    <message>
        <source>Clear canvas</source>
        <translation>Effacer la toile</translation>
    </message>
    <message>
        <source>Filled rectangle tool</source>
        <translation>Outil rectangle plein</translation>
    </message>
    <message>
        <source>Filled circle tool</source>
        <translation>Outil cercle plein</translation>
    </message>
    <message>
        <source>Thick brush</source>
        <translation>Pinceau épais</translation>
    </message>
    <message>
        <source>Palette colour: </source>
        <translation>Couleur de la palette : </translation>
    </message>
    <message>
        <source>Current colour: </source>
        <translation>Couleur actuelle : </translation>
    </message>
</context>
<context>
    <name>faults</name>
    <message>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Type incompatible</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Argument non valide</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Division par zéro</translation>
    </message>
    <message>
        <source>Invalid operation</source>
        <translation>Opération non valide</translation>
    </message>
    <message>
        <source>The number is too large for the calculator (beyond about 1.8E+308). The calculator kept its previous state.</source>
        <translation>Le nombre est trop grand pour la calculatrice (au-delà d’environ 1.8E+308). La calculatrice a gardé son état précédent.</translation>
    </message>
    <message>
        <source>The display does not hold a number this key can read, such as a number with two decimal points. The calculator kept its previous state.</source>
        <translation>L’affichage ne contient pas un nombre que cette touche peut lire, par exemple un nombre à deux points décimaux. La calculatrice a gardé son état précédent.</translation>
    </message>
    <message>
        <source>The square root of a negative number is not defined. The calculator kept its previous state.</source>
        <translation>La racine carrée d’un nombre négatif n’est pas définie. La calculatrice a gardé son état précédent.</translation>
    </message>
    <message>
        <source>A number cannot be divided by zero. The calculator kept its previous state.</source>
        <translation>Un nombre ne peut pas être divisé par zéro. La calculatrice a gardé son état précédent.</translation>
    </message>
    <message>
        <source>The result is not a number. The calculator kept its previous state.</source>
        <translation>Le résultat n’est pas un nombre. La calculatrice a gardé son état précédent.</translation>
    </message>
</context>
<context>
    <name>menus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nouveau</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>E&amp;dit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>&amp;Image</source>
        <translation>&amp;Image</translation>
    </message>
    <message>
        <source>Picture &amp;Size...</source>
        <translation>&amp;Taille de l’image...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Raccourcis clavier</translation>
    </message>
    <message>
        <source>&amp;About Sketchly</source>
        <translation>À &amp;propos de Sketchly</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>À propos de &amp;Qt</translation>
    </message>
    <message>
        <source>&amp;About Calculator</source>
        <translation>À &amp;propos de Calculator</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>Affic&amp;hage</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Zoom a&amp;vant</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Zoom a&amp;rrière</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Taille réelle</translation>
    </message>
    <message>
        <source>&amp;Fit in Window</source>
        <translation>&amp;Ajuster à la fenêtre</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
    <message>
        <source>Sc&amp;ale...</source>
        <translation>&amp;Mettre à l’échelle...</translation>
    </message>
    <message>
        <source>C&amp;rop to Selection</source>
        <translation>&amp;Rogner à la sélection</translation>
    </message>
    <message>
        <source>Rotate 90° &amp;Clockwise</source>
        <translation>Pivoter de 90° à &amp;droite</translation>
    </message>
    <message>
        <source>Rotate 90° Counter-Clock&amp;wise</source>
        <translation>Pivoter de 90° à &amp;gauche</translation>
    </message>
    <message>
        <source>Rotate &amp;180°</source>
        <translation>Pivoter de &amp;180°</translation>
    </message>
    <message>
        <source>Flip &amp;Horizontally</source>
        <translation>Retourner &amp;horizontalement</translation>
    </message>
    <message>
        <source>Flip &amp;Vertically</source>
        <translation>Retourner &amp;verticalement</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Sélectionner</translation>
    </message>
    <message>
        <source>Pick &amp;Colour</source>
        <translation>&amp;Pipette</translation>
    </message>
    <message>
        <source>&amp;Fill</source>
        <translation>&amp;Remplir</translation>
    </message>
    <message>
        <source>Hi&amp;story</source>
        <translation>&amp;Historique</translation>
    </message>
    <message>
        <source>&amp;Copy History</source>
        <translation>&amp;Copier l’historique</translation>
    </message>
    <message>
        <source>C&amp;lear History</source>
        <translation>&amp;Effacer l’historique</translation>
    </message>
    <message>
        <source>&amp;Memory</source>
        <translation>&amp;Mémoire</translation>
    </message>
    <message>
        <source>Memory &amp;Store</source>
        <translation>&amp;Mettre en mémoire</translation>
    </message>
    <message>
        <source>Memory &amp;Recall</source>
        <translation>&amp;Rappeler la mémoire</translation>
    </message>
    <message>
        <source>Memory &amp;Add</source>
        <translation>&amp;Ajouter à la mémoire</translation>
    </message>
    <message>
        <source>Memory S&amp;ubtract</source>
        <translation>&amp;Soustraire de la mémoire</translation>
    </message>
    <message>
        <source>Memory &amp;Clear</source>
        <translation>E&amp;ffacer la mémoire</translation>
    </message>
    <message>
        <source>&amp;Calculate</source>
        <translation>&amp;Calcul</translation>
    </message>
    <message>
        <source>&amp;Percent</source>
        <translation>&amp;Pourcentage</translation>
    </message>
    <message>
        <source>Ad&amp;just</source>
        <translation>A&amp;juster</translation>
    </message>
    <message>
        <source>&amp;Brightness and Contrast...</source>
        <translation>&amp;Luminosité et contraste...</translation>
    </message>
    <message>
        <source>&amp;Saturation...</source>
        <translation>&amp;Saturation...</translation>
    </message>
    <message>
        <source>&amp;Greyscale</source>
        <translation>&amp;Niveaux de gris</translation>
    </message>
    <message>
        <source>&amp;Invert Colours</source>
        <translation>&amp;Inverser les couleurs</translation>
    </message>
    <message>
        <source>&amp;Rotate...</source>
        <translation>&amp;Rotation...</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Annuler : %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Rétablir : %1</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>&amp;Aperçu avant impression...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimer...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Ouvrir un fichier &amp;récent</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>&amp;Texte</translation>
    </message>
    <message>
        <source>&amp;Line</source>
        <translation>&amp;Ligne</translation>
    </message>
    <message>
        <source>&amp;Arrow</source>
        <translation>&amp;Flèche</translation>
    </message>
    <message>
        <source>&amp;Rectangle</source>
        <translation>Re&amp;ctangle</translation>
    </message>
    <message>
        <source>Elli&amp;pse</source>
        <translation>&amp;Ellipse</translation>
    </message>
    <message>
        <source>&amp;Highlighter</source>
        <translation>&amp;Surligneur</translation>
    </message>
    <message>
        <source>R&amp;edact</source>
        <translation>&amp;Caviarder</translation>
    </message>
    <message>
        <source>Thi&amp;nner</source>
        <translation>Plus &amp;fin</translation>
    </message>
    <message>
        <source>Thic&amp;ker</source>
        <translation>Plus é&amp;pais</translation>
    </message>
    <message>
        <source>Text F&amp;ont...</source>
        <translation>&amp;Police du texte...</translation>
    </message>
    <message>
        <source>&amp;Dashed Lines</source>
        <translation>&amp;Traits pointillés</translation>
    </message>
    <message>
        <source>F&amp;illed Shapes</source>
        <translation>Formes &amp;pleines</translation>
    </message>
    <message>
        <source>S&amp;mooth Edges</source>
        <translation>Bords &amp;lissés</translation>
    </message>
    <message>
        <source>Redact in &amp;Blocks</source>
        <translation>Caviarder par &amp;blocs</translation>
    </message>
    <message>
        <source>Line &amp;Width</source>
        <translation>É&amp;paisseur du trait</translation>
    </message>
</context>
<context>
    <name>paint</name>
    <message>
        <source>is not an image file</source>
        <translation>n’est pas un fichier image</translation>
    </message>
    <message>
        <source>is damaged or cut short (%1)</source>
        <translation>est endommagé ou tronqué (%1)</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>n’existe pas</translation>
    </message>
    <message>
        <source>is a folder</source>
        <translation>est un dossier</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>cannot be read (%1)</source>
        <translation>ne peut pas être lu (%1)</translation>
    </message>
    <message>
        <source>Images (%1);;All files (*)</source>
        <translation>Images (%1);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Picture Size</source>
        <translation>Taille de l’image</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>&amp;Largeur :</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;Hauteur :</translation>
    </message>
    <message>
        <source>Pasting...</source>
        <translation>Collage...</translation>
    </message>
    <message>
        <source>Could not paste the image: it %1.</source>
        <translation>Impossible de coller l’image : elle %1.</translation>
    </message>
    <message>
        <source>The pasted image is larger than the picture. Enlarge the picture to fit it?</source>
        <translation>L’image collée est plus grande que l’image. Agrandir l’image pour qu’elle y tienne ?</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>Ouvrir une image</translation>
    </message>
    <message>
        <source>Opening %1...</source>
        <translation>Ouverture de %1...</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: it %2.</source>
        <translation>Impossible d’ouvrir « %1 » : le fichier %2.</translation>
    </message>
    <message>
        <source>Save Drawing</source>
        <translation>Enregistrer le dessin</translation>
    </message>
    <message>
        <source>The drawing has changes that are not saved. Save them?</source>
        <translation>Le dessin a des modifications non enregistrées. Les enregistrer ?</translation>
    </message>
    <message>
        <source>Scroll the picture</source>
        <translation>Faire défiler l’image</translation>
    </message>
    <message>
        <source>Mouse wheel</source>
        <translation>Molette de la souris</translation>
    </message>
    <message>
        <source>Scroll across</source>
        <translation>Défiler horizontalement</translation>
    </message>
    <message>
        <source>Shift+Mouse wheel</source>
        <translation>Maj+Molette de la souris</translation>
    </message>
    <message>
        <source>A drawing program: ten tools, a palette of twenty colours, undo, the clipboard and image files at their own size.</source>
        <translation>Un programme de dessin : dix outils, une palette de vingt couleurs, l’annulation, le presse-papiers et les fichiers image à leur propre taille.</translation>
    </message>
    <message>
        <source>is too large to open (%1 × %2 pixels; at most %3 a side)</source>
        <translation>est trop grand pour être ouvert (%1 × %2 pixels ; au plus %3 par côté)</translation>
    </message>
    <message>
        <source>%1 pictures can be at most %2 pixels wide</source>
        <translation>Les images %1 font au plus %2 pixels de large</translation>
    </message>
    <message>
        <source>%1 pictures can be at most %2 pixels high</source>
        <translation>Les images %1 font au plus %2 pixels de haut</translation>
    </message>
    <message>
        <source>Sketchly was not closed properly. Recover the unsaved drawing from %1?</source>
        <translation>Sketchly n’a pas été fermé correctement. Récupérer le dessin non enregistré de %1 ?</translation>
    </message>
    <message>
        <source>Sketchly was not closed properly. Recover the unsaved changes to &quot;%1&quot; from %2?</source>
        <translation>Sketchly n’a pas été fermé correctement. Récupérer les modifications non enregistrées de « %1 » de %2 ?</translation>
    </message>
    <message>
        <source>The pasted image would make the picture larger than %1 × %1 pixels, the largest there can be. Nothing was pasted.</source>
        <translation>L’image collée rendrait l’image plus grande que %1 × %1 pixels, la plus grande possible. Rien n’a été collé.</translation>
    </message>
    <message>
        <source>Changing the picture size...</source>
        <translation>Modification de la taille de l’image…</translation>
    </message>
    <message>
        <source>Could not save &quot;%1&quot;: %2.</source>
        <translation>Impossible d’enregistrer « %1 » : %2.</translation>
    </message>
    <message>
        <source>Undoing...</source>
        <translation>Annulation…</translation>
    </message>
    <message>
        <source>Redoing...</source>
        <translation>Rétablissement…</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Picture size: %1</source>
        <translation>Taille de l’image : %1</translation>
    </message>
    <message>
        <source>Zoom: %1</source>
        <translation>Zoom : %1</translation>
    </message>
    <message>
        <source>Zoom about the pointer</source>
        <translation>Zoomer autour du pointeur</translation>
    </message>
    <message>
        <source>Ctrl+Mouse wheel</source>
        <translation>Ctrl+molette</translation>
    </message>
    <message>
        <source>Move about the picture (canvas focused)</source>
        <translation>Se déplacer dans l’image (toile active)</translation>
    </message>
    <message>
        <source>Arrow keys, Page Up, Page Down, Home, End, Ctrl+Home, Ctrl+End</source>
        <translation>Flèches, Page préc., Page suiv., Début, Fin, Ctrl+Début, Ctrl+Fin</translation>
    </message>
    <message>
        <source>the picture is empty</source>
        <translation>l’image est vide</translation>
    </message>
    <message>
        <source>there is not enough memory</source>
        <translation>la mémoire ne suffit pas</translation>
    </message>
    <message>
        <source>saving was cancelled</source>
        <translation>l’enregistrement a été annulé</translation>
    </message>
    <message>
        <source>writing failed</source>
        <translation>l’écriture a échoué</translation>
    </message>
    <message>
        <source>uses a kind of %1 that this system cannot read</source>
        <translation>est une sorte de %1 que ce système ne sait pas lire</translation>
    </message>
    <message>
        <source>is a %1 image, which this system cannot read</source>
        <translation>est une image %1, que ce système ne sait pas lire</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; does not exist</source>
        <translation>le dossier « %1 » n’existe pas</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; cannot be written (%2)</source>
        <translation>le dossier « %1 » n’est pas accessible en écriture (%2)</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation>le fichier n’a pas pu être écrit</translation>
    </message>
    <message>
        <source>%1 pictures cannot be written</source>
        <translation>les images %1 ne peuvent pas être écrites</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>%1 pictures cannot be written.</source>
        <translation>Les images %1 ne peuvent pas être écrites.</translation>
    </message>
    <message>
        <source>Only part of it could be read: the rest would be lost.</source>
        <translation>Une partie seulement a pu être lue : le reste serait perdu.</translation>
    </message>
    <message>
        <source>Its animation would be lost: only the first of its %1 frames would be kept.</source>
        <translation>Son animation serait perdue : seule la première de ses %1 images serait gardée.</translation>
    </message>
    <message>
        <source>Its colours would be reduced to 8 bits per channel.</source>
        <translation>Ses couleurs seraient réduites à 8 bits par canal.</translation>
    </message>
    <message>
        <source>Its colours would be lost: %1 pictures hold only grey.</source>
        <translation>Ses couleurs seraient perdues : les images %1 ne contiennent que du gris.</translation>
    </message>
    <message>
        <source>Its transparency would be lost: %1 pictures have none.</source>
        <translation>Sa transparence serait perdue : les images %1 n’en ont pas.</translation>
    </message>
    <message>
        <source>It would be compressed again at quality %1, which changes all of it.</source>
        <translation>Elle serait compressée de nouveau en qualité %1, ce qui la change entièrement.</translation>
    </message>
    <message>
        <source>drawing</source>
        <translation>dessin</translation>
    </message>
    <message>
        <source>%1 image (%2)</source>
        <translation>Image %1 (%2)</translation>
    </message>
    <message>
        <source>Image Quality</source>
        <translation>Qualité de l’image</translation>
    </message>
    <message>
        <source>&amp;Quality:</source>
        <translation>&amp;Qualité :</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <source>Working out the file size…</source>
        <translation>Calcul de la taille du fichier…</translation>
    </message>
    <message>
        <source>The file size is not known</source>
        <translation>La taille du fichier est inconnue</translation>
    </message>
    <message>
        <source>About %1, lossless</source>
        <translation>Environ %1, sans perte</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Environ %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged: only part of the picture could be read.</source>
        <translation>« %1 » est endommagé : une partie seulement de l’image a pu être lue.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed by another program since it was opened or saved here. Overwrite it with this drawing?</source>
        <translation>« %1 » a été modifié par un autre programme depuis qu’il a été ouvert ou enregistré ici. L’écraser avec ce dessin ?</translation>
    </message>
    <message>
        <source>The file was not changed. Save the picture under another name?</source>
        <translation>Le fichier n’a pas été modifié. Enregistrer l’image sous un autre nom ?</translation>
    </message>
    <message>
        <source>Save the picture as PNG instead?</source>
        <translation>Enregistrer plutôt l’image en PNG ?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists. Replace it?</source>
        <translation>« %1 » existe déjà. Le remplacer ?</translation>
    </message>
    <message>
        <source>Save it all the same?</source>
        <translation>L’enregistrer quand même ?</translation>
    </message>
    <message>
        <source>Saving %1...</source>
        <translation>Enregistrement de %1...</translation>
    </message>
    <message>
        <source>Select: drag a rectangle; drag inside it to move what it holds</source>
        <translation>Sélectionner : tracer un rectangle ; le faire glisser de l’intérieur déplace son contenu</translation>
    </message>
    <message>
        <source>Pick Colour: click the picture to take its colour</source>
        <translation>Pipette : cliquer dans l’image pour en prendre la couleur</translation>
    </message>
    <message>
        <source>Fill: click an area of one colour to fill it with the current colour</source>
        <translation>Remplir : cliquer sur une zone d’une seule couleur pour la remplir de la couleur courante</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Mettre à l’échelle</translation>
    </message>
    <message>
        <source>In &amp;percent</source>
        <translation>En &amp;pourcentage</translation>
    </message>
    <message>
        <source>&amp;Keep proportions</source>
        <translation>&amp;Garder les proportions</translation>
    </message>
    <message>
        <source>The picture becomes %1 × %2 pixels.</source>
        <translation>L’image fera %1 × %2 pixels.</translation>
    </message>
    <message>
        <source>Each side must be 1 to %1 pixels.</source>
        <translation>Chaque côté doit mesurer de 1 à %1 pixels.</translation>
    </message>
    <message>
        <source>Scaling the picture...</source>
        <translation>Mise à l’échelle de l’image...</translation>
    </message>
    <message>
        <source>Cropping the picture...</source>
        <translation>Rognage de l’image...</translation>
    </message>
    <message>
        <source>Rotating the picture...</source>
        <translation>Rotation de l’image...</translation>
    </message>
    <message>
        <source>Flipping the picture...</source>
        <translation>Retournement de l’image...</translation>
    </message>
    <message>
        <source>Put a paste in place</source>
        <translation>Poser le collage</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Drop the selection or a paste</source>
        <translation>Abandonner la sélection ou le collage</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Échap</translation>
    </message>
    <message>
        <source>&amp;Brightness:</source>
        <translation>&amp;Luminosité :</translation>
    </message>
    <message>
        <source>&amp;Contrast:</source>
        <translation>&amp;Contraste :</translation>
    </message>
    <message>
        <source>&amp;Saturation:</source>
        <translation>&amp;Saturation :</translation>
    </message>
    <message>
        <source>&amp;Angle:</source>
        <translation>&amp;Angle :</translation>
    </message>
    <message>
        <source>Turned, the picture would be %1 × %2 pixels: at most %3 a side can be.</source>
        <translation>Pivotée, l’image mesurerait %1 × %2 pixels : %3 au plus par côté sont possibles.</translation>
    </message>
    <message>
        <source>Adjusting the picture...</source>
        <translation>Réglage de l’image...</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>En&amp;large a small picture to fill the page</source>
        <translation>A&amp;grandir une petite image à la page entière</translation>
    </message>
    <message>
        <source>Printing %1...</source>
        <translation>Impression de %1...</translation>
    </message>
    <message>
        <source>Could not print the picture: the printer did not start.</source>
        <translation>Impossible d’imprimer l’image : l’imprimante n’a pas démarré.</translation>
    </message>
    <message>
        <source>Enlarge to Fill the Page</source>
        <translation>Agrandir à la page entière</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer there: it is taken off the recent files.</source>
        <translation>« %1 » n’existe plus : il est retiré des fichiers récents.</translation>
    </message>
    <message>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <source>Width: %1 px</source>
        <translation>Épaisseur : %1 px</translation>
    </message>
    <message>
        <source>Move Selection</source>
        <translation>Déplacement de la sélection</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>Remplissage</translation>
    </message>
    <message>
        <source>Highlighter: drag over what to mark in the current colour</source>
        <translation>Surligneur : faire glisser sur ce qu’il faut marquer de la couleur actuelle</translation>
    </message>
    <message>
        <source>Highlighter</source>
        <translation>Surligneur</translation>
    </message>
    <message>
        <source>Redact: drag a rectangle over what to hide</source>
        <translation>Caviarder : tracer un rectangle sur ce qu’il faut cacher</translation>
    </message>
    <message>
        <source>Redact</source>
        <translation>Caviardage</translation>
    </message>
    <message>
        <source>Line: drag from one end to the other; Shift keeps it to 45° steps</source>
        <translation>Ligne : faire glisser d’un bout à l’autre ; Maj la garde par pas de 45°</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Ligne</translation>
    </message>
    <message>
        <source>Arrow: drag from its tail to where it points; Shift keeps it to 45° steps</source>
        <translation>Flèche : faire glisser de la queue à la pointe ; Maj la garde par pas de 45°</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>Flèche</translation>
    </message>
    <message>
        <source>Rectangle: drag from corner to corner; Shift makes a square</source>
        <translation>Rectangle : faire glisser d’un coin à l’autre ; Maj donne un carré</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Ellipse: drag across the box it fills; Shift makes a circle</source>
        <translation>Ellipse : faire glisser sur le cadre qu’elle remplit ; Maj donne un cercle</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Text Font</source>
        <translation>Police du texte</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
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
        <source>&amp;Font:</source>
        <translation>&amp;Police :</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Taille :</translation>
    </message>
    <message>
        <source>Text: click and type; drag the text to move it; Escape or a click outside sets it down</source>
        <translation>Texte : cliquer et taper ; faire glisser le texte pour le déplacer ; Échap ou un clic à côté le pose</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Déplacer</translation>
    </message>
    <message>
        <source>Freehand</source>
        <translation>Main levée</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Cercle</translation>
    </message>
    <message>
        <source>Eraser</source>
        <translation>Gomme</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer tout</translation>
    </message>
    <message>
        <source>Filled Rectangle</source>
        <translation>Rectangle plein</translation>
    </message>
    <message>
        <source>Filled Circle</source>
        <translation>Cercle plein</translation>
    </message>
    <message>
        <source>Brush</source>
        <translation>Pinceau</translation>
    </message>
    <message>
        <source>Photo Details</source>
        <translation>Informations de la photo</translation>
    </message>
    <message>
        <source>This photo tells where it was taken and names people.</source>
        <translation>Cette photo indique où elle a été prise et nomme des personnes.</translation>
    </message>
    <message>
        <source>This photo tells where it was taken.</source>
        <translation>Cette photo indique où elle a été prise.</translation>
    </message>
    <message>
        <source>This photo names people.</source>
        <translation>Cette photo nomme des personnes.</translation>
    </message>
    <message>
        <source>&amp;Remove location and personal details</source>
        <translation>&amp;Retirer le lieu et les informations personnelles</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>The picture tells where it was taken</source>
        <translation>L’image indique où elle a été prise</translation>
    </message>
    <message>
        <source>it declares no size</source>
        <translation>il n’indique aucune taille</translation>
    </message>
    <message>
        <source>the JPEG XL data ends too early</source>
        <translation>les données JPEG XL s’arrêtent trop tôt</translation>
    </message>
    <message>
        <source>the JPEG XL data is not valid</source>
        <translation>les données JPEG XL ne sont pas valides</translation>
    </message>
    <message>
        <source>the JPEG XL encoder failed</source>
        <translation>l’encodeur JPEG XL a échoué</translation>
    </message>
    <message>
        <source>its details could not be written</source>
        <translation>ses informations n’ont pas pu être écrites</translation>
    </message>
    <message>
        <source>its details could not be written (%1)</source>
        <translation>ses informations n’ont pas pu être écrites (%1)</translation>
    </message>
</context>
</TS>
