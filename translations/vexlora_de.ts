<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>frmAbout</name>
    <message>
        <source>About...</source>
        <extracomment>Title of the About box.</extracomment>
        <translation>Über...</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Spenden</translation>
    </message>
    <message>
        <source>Donate with PayPal - It&apos;s fast, free and secure!</source>
        <extracomment>Tooltip of the donation button; PayPal is a name.</extracomment>
        <translation>Spenden mit PayPal – schnell, kostenlos und sicher!</translation>
    </message>
    <message>
        <source>Home page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <extracomment>The About box&apos;s only button; Alt plus the marked letter presses it.</extracomment>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>This program is provided for free. Please consider donating to support the development of new features and bug fixes!</source>
        <extracomment>Follows the copyright line; with it, three short lines of the About box.</extracomment>
        <translation>Dieses Programm ist kostenlos. Bitte unterstützen Sie mit einer Spende neue Funktionen und Fehlerbehebungen!</translation>
    </message>
</context>
<context>
    <name>frmAd</name>
    <message>
        <source>  Advertisement</source>
        <extracomment>Banner over the advertisement; the two leading blanks indent it, keep them.</extracomment>
        <translation>  Werbung</translation>
    </message>
    <message>
        <source>Advertised product</source>
        <translation>Beworbenes Produkt</translation>
    </message>
    <message>
        <source>Opens the product page</source>
        <translation>Öffnet die Produktseite</translation>
    </message>
    <message>
        <source>Product picture</source>
        <translation>Produktbild</translation>
    </message>
    <message>
        <source>Typecase keeps every font you own in one tidy case. Sort your faces into drawers, switch whole collections on and off with one click, and find the face you need by its name, its style or a line of your own text.</source>
        <translation>Typecase hält alle Ihre Schriften in einem aufgeräumten Kasten beisammen. Ordnen Sie sie in Fächer, schalten Sie ganze Sammlungen mit einem Klick ein und aus und finden Sie jede Schrift über ihren Namen, ihren Stil oder eine eigene Textzeile.</translation>
    </message>
    <message>
        <source>Print specimen sheets, set up to four faces side by side, and catch duplicate or damaged font files before they trouble your programs. Typecase reads TrueType and OpenType fonts and is ready to use in under a minute.</source>
        <translation>Drucken Sie Schriftproben, stellen Sie bis zu vier Schriften nebeneinander und spüren Sie doppelte oder beschädigte Schriftdateien auf, bevor sie Ihren Programmen Probleme bereiten. Typecase liest TrueType- und OpenType-Schriften und ist in weniger als einer Minute einsatzbereit.</translation>
    </message>
    <message>
        <source>Get it today at the Quillmark Type Shop!</source>
        <extracomment>Quillmark Type Shop is a shop&apos;s name; one line of about 265 pixels.</extracomment>
        <translation>Jetzt erhältlich im Quillmark Type Shop!</translation>
    </message>
    <message>
        <source>Unlocking in 3 seconds...</source>
        <extracomment>Shown while the Proceed button is locked; must fit one line of about 250 pixels.</extracomment>
        <translation>Freigabe in 3 Sekunden...</translation>
    </message>
    <message>
        <source>Do not show ads for 15 days</source>
        <extracomment>Tick box under the advertisement; keep it short, the Proceed button is to its right.</extracomment>
        <translation>15 Tage lang keine Werbung zeigen</translation>
    </message>
    <message>
        <source>Proceed &gt;</source>
        <extracomment>The advertisement&apos;s only way on; large bold text in a button of 137 pixels.</extracomment>
        <translation>Weiter &gt;</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Font list view</source>
        <translation>Ansicht der Schriftlisten</translation>
    </message>
    <message>
        <source>Font Browser</source>
        <translation>Schriftbrowser</translation>
    </message>
    <message>
        <source>Installed fonts</source>
        <translation>Installierte Schriften</translation>
    </message>
    <message>
        <source>Preview view</source>
        <translation>Vorschauansicht</translation>
    </message>
    <message>
        <source>Free text</source>
        <translation>Freitext</translation>
    </message>
    <message>
        <source>Charchter Map</source>
        <translation>Zeichentabelle</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Enter lists the folder&apos;s fonts; Right opens it</source>
        <translation>Eingabetaste listet die Schriften des Ordners auf, Pfeil nach rechts öffnet ihn</translation>
    </message>
    <message>
        <source>Font files</source>
        <translation>Schriftdateien</translation>
    </message>
    <message>
        <source>Enter previews the selected font</source>
        <translation>Eingabetaste zeigt die Vorschau der ausgewählten Schrift</translation>
    </message>
    <message>
        <source>Face name</source>
        <translation>Schriftname</translation>
    </message>
    <message>
        <source>Sample text</source>
        <translation>Beispieltext</translation>
    </message>
    <message>
        <source>The Quick 
Brown Fox 
Jumps over the 
lazy dog
</source>
        <extracomment>The sample text: a pangram of your language, in four short lines each ending in a line break, that uses the letters your language has beyond A to Z (such as ä, ö, ü and ß), so a reader sees at once whether a font has them.</extracomment>
        <translation>Victor jagt 
zwölf Boxkämpfer 
quer über den 
großen Sylter Deich
</translation>
    </message>
    <message>
        <source>Character map</source>
        <translation>Zeichentabelle</translation>
    </message>
    <message>
        <source>Ctrl+C copies the selected character</source>
        <translation>Strg+C kopiert das ausgewählte Zeichen</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>(popup)</source>
        <extracomment>Name of the character map&apos;s context menu; never shown as a title, but screen readers may read it.</extracomment>
        <translation>(Kontextmenü)</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installieren</translation>
    </message>
    <message>
        <source>Install the selected font</source>
        <translation>Ausgewählte Schrift installieren</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>(The selected font file is invalid.)</source>
        <extracomment>Shown in the face-name box, under the file list, in place of the clicked file&apos;s face name.</extracomment>
        <translation>(Die ausgewählte Schriftdatei ist ungültig.)</translation>
    </message>
</context>
</TS>
