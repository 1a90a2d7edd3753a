<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>frmAbout</name>
    <message>
        <source>About...</source>
        <extracomment>Title of the About box.</extracomment>
        <translation>À propos...</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Faire un don</translation>
    </message>
    <message>
        <source>Donate with PayPal - It&apos;s fast, free and secure!</source>
        <extracomment>Tooltip of the donation button; PayPal is a name.</extracomment>
        <translation>Faire un don avec PayPal – c&apos;est rapide, gratuit et sûr&#xa0;!</translation>
    </message>
    <message>
        <source>Home page</source>
        <translation>Page d&apos;accueil</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <extracomment>The About box&apos;s only button; Alt plus the marked letter presses it.</extracomment>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>This program is provided for free. Please consider donating to support the development of new features and bug fixes!</source>
        <extracomment>Follows the copyright line; with it, three short lines of the About box.</extracomment>
        <translation>Ce programme est gratuit. Pensez à faire un don pour soutenir l&apos;ajout de fonctions et la correction des bogues&#xa0;!</translation>
    </message>
</context>
<context>
    <name>frmAd</name>
    <message>
        <source>  Advertisement</source>
        <extracomment>Banner over the advertisement; the two leading blanks indent it, keep them.</extracomment>
        <translation>  Publicité</translation>
    </message>
    <message>
        <source>Advertised product</source>
        <translation>Produit présenté</translation>
    </message>
    <message>
        <source>Opens the product page</source>
        <translation>Ouvre la page du produit</translation>
    </message>
    <message>
        <source>Product picture</source>
        <translation>Image du produit</translation>
    </message>
    <message>
        <source>Typecase keeps every font you own in one tidy case. Sort your faces into drawers, switch whole collections on and off with one click, and find the face you need by its name, its style or a line of your own text.</source>
        <translation>Typecase range toutes vos polices dans une casse bien ordonnée. Classez-les dans des tiroirs, activez ou désactivez des collections entières d&apos;un clic et trouvez la police voulue par son nom, son style ou une ligne de votre texte.</translation>
    </message>
    <message>
        <source>Print specimen sheets, set up to four faces side by side, and catch duplicate or damaged font files before they trouble your programs. Typecase reads TrueType and OpenType fonts and is ready to use in under a minute.</source>
        <translation>Imprimez des spécimens, comparez jusqu&apos;à quatre polices côte à côte et repérez les fichiers de police en double ou endommagés avant qu&apos;ils ne gênent vos programmes. Typecase lit les polices TrueType et OpenType et est prêt à l&apos;emploi en moins d&apos;une minute.</translation>
    </message>
    <message>
        <source>Get it today at the Quillmark Type Shop!</source>
        <extracomment>Quillmark Type Shop is a shop&apos;s name; one line of about 265 pixels.</extracomment>
        <translation>En vente au Quillmark Type Shop&#xa0;!</translation>
    </message>
    <message>
        <source>Unlocking in 3 seconds...</source>
        <extracomment>Shown while the Proceed button is locked; must fit one line of about 250 pixels.</extracomment>
        <translation>Déverrouillage dans 3 secondes...</translation>
    </message>
    <message>
        <source>Do not show ads for 15 days</source>
        <extracomment>Tick box under the advertisement; keep it short, the Proceed button is to its right.</extracomment>
        <translation>Ne plus afficher la publicité pendant 15 jours</translation>
    </message>
    <message>
        <source>Proceed &gt;</source>
        <extracomment>The advertisement&apos;s only way on; large bold text in a button of 137 pixels.</extracomment>
        <translation>Continuer &gt;</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Font list view</source>
        <translation>Vue des listes de polices</translation>
    </message>
    <message>
        <source>Font Browser</source>
        <translation>Explorateur de polices</translation>
    </message>
    <message>
        <source>Installed fonts</source>
        <translation>Polices installées</translation>
    </message>
    <message>
        <source>Preview view</source>
        <translation>Vue d&apos;aperçu</translation>
    </message>
    <message>
        <source>Free text</source>
        <translation>Texte libre</translation>
    </message>
    <message>
        <source>Charchter Map</source>
        <translation>Table de caractères</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Disque</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Enter lists the folder&apos;s fonts; Right opens it</source>
        <translation>La touche Entrée affiche les polices du dossier&#xa0;; la flèche droite l&apos;ouvre</translation>
    </message>
    <message>
        <source>Font files</source>
        <translation>Fichiers de police</translation>
    </message>
    <message>
        <source>Enter previews the selected font</source>
        <translation>La touche Entrée affiche l&apos;aperçu de la police sélectionnée</translation>
    </message>
    <message>
        <source>Face name</source>
        <translation>Nom de la police</translation>
    </message>
    <message>
        <source>Sample text</source>
        <translation>Texte d&apos;exemple</translation>
    </message>
    <message>
        <source>The Quick 
Brown Fox 
Jumps over the 
lazy dog
</source>
        <extracomment>The sample text: a pangram of your language, in four short lines each ending in a line break, that uses the letters your language has beyond A to Z (such as ä, ö, ü and ß), so a reader sees at once whether a font has them.</extracomment>
        <translation>Voix ambiguë 
d&apos;un cœur déçu qui, 
au zéphyr, préfère 
les jattes de kiwis
</translation>
    </message>
    <message>
        <source>Character map</source>
        <translation>Table de caractères</translation>
    </message>
    <message>
        <source>Ctrl+C copies the selected character</source>
        <translation>Ctrl+C copie le caractère sélectionné</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d&apos;outils</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Taille de police</translation>
    </message>
    <message>
        <source>(popup)</source>
        <extracomment>Name of the character map&apos;s context menu; never shown as a title, but screen readers may read it.</extracomment>
        <translation>(menu contextuel)</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installer</translation>
    </message>
    <message>
        <source>Install the selected font</source>
        <translation>Installer la police sélectionnée</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>Cop&amp;ier</translation>
    </message>
    <message>
        <source>(The selected font file is invalid.)</source>
        <extracomment>Shown in the face-name box, under the file list, in place of the clicked file&apos;s face name.</extracomment>
        <translation>(Le fichier de police sélectionné n&apos;est pas valide.)</translation>
    </message>
</context>
</TS>
