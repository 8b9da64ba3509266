<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AuditLog</name>
    <message>
        <source>Cannot open the audit log: </source>
        <translation>Das Audit-Protokoll kann nicht geöffnet werden: </translation>
    </message>
    <message>
        <source>Cannot write the record to the audit log: </source>
        <translation>Der Eintrag kann nicht in das Audit-Protokoll geschrieben werden: </translation>
    </message>
    <message>
        <source>Cannot write the record to the audit log %1: %2</source>
        <translation>Der Eintrag kann nicht in das Audit-Protokoll %1 geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About tarnel</source>
        <translation>Über tarnel</translation>
    </message>
    <message>
        <source>tarnel Version %1</source>
        <translation>tarnel Version %1</translation>
    </message>
    <message>
        <source>Switch configuration EEPROM tool</source>
        <translation>Werkzeug für Switch-EEPROMs</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Extras</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Auslesen</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About tarnel...</source>
        <translation>Ü&amp;ber tarnel...</translation>
    </message>
</context>
<context>
    <name>CRegisterEditDlg</name>
    <message>
        <source>Register %1</source>
        <translation>Register %1</translation>
    </message>
    <message>
        <source>Invalid value for register %1.</source>
        <translation>Ungültiger Wert für Register %1.</translation>
    </message>
</context>
<context>
    <name>CVerifyReportDlg</name>
    <message>
        <source>EEPROM Addresss</source>
        <translation>EEPROM-Adresse</translation>
    </message>
    <message>
        <source>Write Data</source>
        <translation>Solldaten</translation>
    </message>
    <message>
        <source>Read Data</source>
        <translation>Istdaten</translation>
    </message>
    <message>
        <source>Tarnel Verify</source>
        <translation>Tarnel Prüfung</translation>
    </message>
</context>
<context>
    <name>Ch341Adapter</name>
    <message>
        <source>the CH341A answers over USB</source>
        <translation>der CH341A antwortet über USB</translation>
    </message>
    <message>
        <source>the I2C bus is free (nothing holds its data line low)</source>
        <translation>der I2C-Bus ist frei (nichts hält seine Datenleitung auf Low)</translation>
    </message>
    <message>
        <source>every address is acknowledged, a reserved one too: the data line is held low; check the clip, the cable and the switch&apos;s power</source>
        <translation>jede Adresse wird quittiert, auch eine reservierte: Die Datenleitung wird auf Low gehalten; prüfen Sie die Klemme, das Kabel und die Stromversorgung des Switches</translation>
    </message>
    <message>
        <source>The CH341A %1 was unplugged (it is gone from the USB bus); plug it in again and repeat the command.</source>
        <translation>Der CH341A %1 wurde abgezogen (er ist vom USB-Bus verschwunden); stecken Sie ihn wieder ein und wiederholen Sie den Befehl.</translation>
    </message>
    <message>
        <source>The CH341A %1 took %2 bytes where %3 were expected; unplug it, plug it in again and repeat the command.</source>
        <translation>Der CH341A %1 hat %2 Bytes angenommen, erwartet waren %3; ziehen Sie ihn ab, stecken Sie ihn wieder ein und wiederholen Sie den Befehl.</translation>
    </message>
    <message>
        <source>The CH341A %1 answered %2 bytes where %3 were expected; unplug it, plug it in again and repeat the command.</source>
        <translation>Der CH341A %1 hat mit %2 Bytes geantwortet, erwartet waren %3; ziehen Sie ihn ab, stecken Sie ihn wieder ein und wiederholen Sie den Befehl.</translation>
    </message>
    <message>
        <source>The CH341A %1 stopped answering and is gone from the USB bus (unplugged, or it lost its power); plug it in again and repeat the command.</source>
        <translation>Der CH341A %1 antwortet nicht mehr und ist vom USB-Bus verschwunden (abgezogen oder ohne Strom); stecken Sie ihn wieder ein und wiederholen Sie den Befehl.</translation>
    </message>
    <message>
        <source>The CH341A %1 stopped answering: no USB transfer to it within %2 ms; unplug it, plug it in again and repeat the command.</source>
        <translation>Der CH341A %1 antwortet nicht mehr: keine USB-Übertragung zu ihm innerhalb von %2 ms; ziehen Sie ihn ab, stecken Sie ihn wieder ein und wiederholen Sie den Befehl.</translation>
    </message>
    <message>
        <source>The CH341A %1 stopped answering: no reply within %2 ms; unplug it, plug it in again and repeat the command.</source>
        <translation>Der CH341A %1 antwortet nicht mehr: keine Antwort innerhalb von %2 ms; ziehen Sie ihn ab, stecken Sie ihn wieder ein und wiederholen Sie den Befehl.</translation>
    </message>
    <message>
        <source>A USB transfer to the CH341A %1 failed: %2; unplug it, plug it in again and repeat the command.</source>
        <translation>Eine USB-Übertragung zum CH341A %1 ist fehlgeschlagen: %2; ziehen Sie ihn ab, stecken Sie ihn wieder ein und wiederholen Sie den Befehl.</translation>
    </message>
    <message>
        <source>A USB transfer from the CH341A %1 failed: %2; unplug it, plug it in again and repeat the command.</source>
        <translation>Eine USB-Übertragung vom CH341A %1 ist fehlgeschlagen: %2; ziehen Sie ihn ab, stecken Sie ihn wieder ein und wiederholen Sie den Befehl.</translation>
    </message>
</context>
<context>
    <name>Ch341Boards</name>
    <message>
        <source>No CH341A programmer is plugged in (no USB device 1a86:5512); a CH341 in its serial mode (1a86:5523) is: set the board&apos;s jumper to I2C/SPI and plug it in again.</source>
        <translation>Es ist kein CH341A-Programmer eingesteckt (kein USB-Gerät 1a86:5512), aber ein CH341 im seriellen Modus (1a86:5523): Stellen Sie den Jumper der Platine auf I2C/SPI und stecken Sie sie wieder ein.</translation>
    </message>
    <message>
        <source>No CH341A programmer is plugged in (no USB device 1a86:5512): plug it in; lsusb lists what is on the USB.</source>
        <translation>Es ist kein CH341A-Programmer eingesteckt (kein USB-Gerät 1a86:5512): Stecken Sie ihn ein; lsusb listet, was am USB hängt.</translation>
    </message>
    <message>
        <source>Several CH341A programmers are plugged in: %1. Name the one to use with --port ch341:BUS-PORTS.</source>
        <translation>Mehrere CH341A-Programmer sind eingesteckt: %1. Nennen Sie den zu verwendenden mit --port ch341:BUS-PORTS.</translation>
    </message>
</context>
<context>
    <name>Ch341Kinds</name>
    <message>
        <source>CH341A USB programmer (I2C) at bus %1 device %2</source>
        <translation>CH341A-USB-Programmer (I2C) an Bus %1 Gerät %2</translation>
    </message>
    <message>
        <source>a CH341A USB programmer through libusb: the only one, or the one at that place on the USB tree, e.g. ch341:1-4.2</source>
        <translation>ein CH341A-USB-Programmer über libusb: der einzige oder der an dieser Stelle des USB-Baums, z. B. ch341:1-4.2</translation>
    </message>
    <message>
        <source>a simulated switch on a simulated CH341A</source>
        <translation>ein simulierter Switch an einem simulierten CH341A</translation>
    </message>
</context>
<context>
    <name>Ch341PortName</name>
    <message>
        <source>&quot;%1&quot; is no CH341A&apos;s name: use ch341 (the only one plugged in) or ch341:BUS-PORTS, its place on the USB tree as lsusb -t shows it (ch341:1-4.2); tarnel-cli list-ports lists them.</source>
        <translation>&quot;%1&quot; ist kein Name eines CH341A: Verwenden Sie ch341 (der einzige eingesteckte) oder ch341:BUS-PORTS, seine Stelle im USB-Baum, wie lsusb -t sie zeigt (ch341:1-4.2); tarnel-cli list-ports listet sie auf.</translation>
    </message>
</context>
<context>
    <name>Ch341Usb</name>
    <message>
        <source>The udev rule that gives CH341A boards to the user at the seat and to group plugdev is missing: the tarnel package installs it as /usr/lib/udev/rules.d/%1; without the package put the line
  %2
into /etc/udev/rules.d/%1, run sudo udevadm control --reload-rules and plug the board in again.</source>
        <translation>Die udev-Regel, die CH341A-Platinen dem Benutzer am Arbeitsplatz und der Gruppe plugdev gibt, fehlt: Das Paket tarnel installiert sie als /usr/lib/udev/rules.d/%1; ohne das Paket schreiben Sie die Zeile
  %2
in /etc/udev/rules.d/%1, führen Sie sudo udevadm control --reload-rules aus und stecken Sie die Platine wieder ein.</translation>
    </message>
    <message>
        <source>Cannot use the USB for the CH341A %1: %2.</source>
        <translation>Der USB kann für den CH341A %1 nicht verwendet werden: %2.</translation>
    </message>
    <message>
        <source>Cannot list the USB devices for the CH341A %1: %2.</source>
        <translation>Die USB-Geräte können für den CH341A %1 nicht aufgelistet werden: %2.</translation>
    </message>
    <message>
        <source>Nothing is plugged in at %1 on the USB; tarnel-cli list-ports lists the CH341A boards present.</source>
        <translation>An %1 ist am USB nichts eingesteckt; tarnel-cli list-ports listet die vorhandenen CH341A-Platinen auf.</translation>
    </message>
    <message>
        <source>The USB device at %1 is no CH341A in I2C mode (1a86:5512) but %2; tarnel-cli list-ports lists the CH341A boards present.</source>
        <translation>Das USB-Gerät an %1 ist kein CH341A im I2C-Modus (1a86:5512), sondern %2; tarnel-cli list-ports listet die vorhandenen CH341A-Platinen auf.</translation>
    </message>
    <message>
        <source>Cannot open the CH341A %1: permission denied. %2</source>
        <translation>Der CH341A %1 kann nicht geöffnet werden: Zugriff verweigert. %2</translation>
    </message>
    <message>
        <source>Cannot open the CH341A %1: %2.</source>
        <translation>Der CH341A %1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The kernel driver %1 holds the CH341A %2; unload it first (sudo modprobe -r %1), so that tarnel does not talk over it.</source>
        <translation>Der Kerneltreiber %1 belegt den CH341A %2; entladen Sie ihn zuerst (sudo modprobe -r %1), damit tarnel nicht gleichzeitig mit ihm auf die Platine zugreift.</translation>
    </message>
    <message>
        <source>The CH341A %1 is in use by another program (another tarnel, another --port naming the same board, or another programmer&apos;s tool); wait until it has finished.</source>
        <translation>Der CH341A %1 wird von einem anderen Programm verwendet (einem anderen tarnel, einem anderen --port, der dieselbe Platine nennt, oder dem Werkzeug eines anderen Programmers); warten Sie, bis es fertig ist.</translation>
    </message>
    <message>
        <source>Cannot claim the CH341A %1: %2.</source>
        <translation>Der CH341A %1 kann nicht belegt werden: %2.</translation>
    </message>
</context>
<context>
    <name>CliTool</name>
    <message>
        <source>The EEPROM may take pages smaller than %1 bytes, whose addresses wrap: write again with a smaller --page-size.</source>
        <translation>Das EEPROM nimmt womöglich kleinere Seiten als %1 Bytes, deren Adressen umlaufen: Schreiben Sie erneut mit einer kleineren --page-size.</translation>
    </message>
    <message>
        <source>Wrote the image of %1 into %2 (%3).</source>
        <translation>Das Abbild aus %1 wurde in %2 geschrieben (%3).</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <source>%1 exists already; use --force to overwrite it.</source>
        <translation>%1 existiert bereits; mit --force wird die Datei überschrieben.</translation>
    </message>
    <message>
        <source>Reads, writes and verifies the configuration EEPROM of a network switch.

Commands:
  read FILE            read the device into an image file (- : standard output)
  write FILE           write an image file to the device and verify it
                       (- : standard input)
  verify FILE          compare the device with an image file (- : standard input)
  dump                 print the device&apos;s registers (see --format)
  compare FILE1 FILE2  compare two image files; needs no port
  convert IN OUT       write the image of IN into OUT in OUT&apos;s format (- : standard
                       input or output); needs no port
  probe                check the adapter, the bus and the EEPROM step by step,
                       writing nothing
  list-ports           list the parallel ports and I2C adapters present
  counter create SOURCE FIRST LAST
                       make a counter of the values FIRST to LAST (decimal or 0x
                       hexadecimal, up to 64 bits) for write --stamp
  counter show SOURCE  its next and last value, how many are left, the void ones

A counter SOURCE is a file or postgresql://HOST/DB?...#NAME, a counter NAME in a
PostgreSQL database shared by several stations; each value is given once.

With several ports (--port given more than once, or TARNEL_PORT=a,b,c), write,
verify, dump and probe run on all of them at once; every output line starts
with its port&apos;s name (with --json: an array of one object per port), and the
exit status is the worst of the ports.

Image files are raw (128 bytes), Intel HEX (.hex, .ihex, .ihx) or S-record (.srec,
.s19, .mot), by their names; --image-format chooses for a name or for -.

Every device operation appends one JSON line to the audit log (--log or
$TARNEL_LOG): time, host, user, program, version, port, operation, file,
file_sha256, device_sha256, result, exit, differences, message, duration_ms
(and stamp, counter, void). A postgresql:// URI as the log keeps each record
as a row of its table tarnel_log instead.

Exit status: 0 success, 1 the device (or FILE2) differs, 2 usage error,
3 port or device failure, 4 file, audit log or counter error.</source>
        <translation>Liest, schreibt und prüft das Konfigurations-EEPROM eines Netzwerk-Switches.

Befehle:
  read DATEI           das Gerät in eine Abbilddatei lesen (- : Standardausgabe)
  write DATEI          eine Abbilddatei auf das Gerät schreiben und prüfen
                       (- : Standardeingabe)
  verify DATEI         das Gerät mit einer Abbilddatei vergleichen (- : Standardeingabe)
  dump                 die Register des Geräts ausgeben (siehe --format)
  compare DATEI1 DATEI2  zwei Abbilddateien vergleichen; braucht keinen Port
  convert EIN AUS      das Abbild aus EIN im Format von AUS nach AUS schreiben
                       (- : Standardein- oder -ausgabe); braucht keinen Port
  probe                Adapter, Bus und EEPROM Schritt für Schritt prüfen,
                       ohne etwas zu schreiben
  list-ports           die vorhandenen Parallelports und I2C-Adapter auflisten
  counter create QUELLE ERSTER LETZTER
                       einen Zähler der Werte ERSTER bis LETZTER anlegen (dezimal oder
                       0x-hexadezimal, bis 64 Bit) für write --stamp
  counter show QUELLE  nächster und letzter Wert, wie viele übrig sind, die verworfenen

Eine Zähler-QUELLE ist eine Datei oder postgresql://HOST/DB?...#NAME, ein Zähler NAME
in einer PostgreSQL-Datenbank, die mehrere Stationen teilen; jeder Wert wird einmal vergeben.

Mit mehreren Ports (--port mehrmals angegeben oder TARNEL_PORT=a,b,c) laufen write,
verify, dump und probe auf allen zugleich; jede Ausgabezeile beginnt mit dem Namen
ihres Ports (mit --json: ein Array mit einem Objekt je Port), und der Exit-Status
ist der schlechteste der Ports.

Abbilddateien sind roh (128 Bytes), Intel HEX (.hex, .ihex, .ihx) oder S-Record (.srec,
.s19, .mot), nach ihren Namen; --image-format wählt für einen Namen oder für -.

Jeder Gerätevorgang hängt eine JSON-Zeile an das Audit-Protokoll an (--log oder
$TARNEL_LOG): time, host, user, program, version, port, operation, file,
file_sha256, device_sha256, result, exit, differences, message, duration_ms
(und stamp, counter, void). Ein postgresql://-URI als Protokoll speichert jeden
Eintrag stattdessen als Zeile seiner Tabelle tarnel_log.

Exit-Status: 0 Erfolg, 1 das Gerät (oder DATEI2) weicht ab, 2 Aufruffehler,
3 Port- oder Gerätefehler, 4 Datei-, Audit-Protokoll- oder Zählerfehler.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe anzeigen.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Die Version anzeigen.</translation>
    </message>
    <message>
        <source>Port: %1 (default: $TARNEL_PORT, names separated by commas, then /dev/parport0). Give it several times for several ports. An unknown, malformed or empty name is a usage error.</source>
        <translation>Port: %1 (Vorgabe: $TARNEL_PORT, Namen durch Kommas getrennt, sonst /dev/parport0). Für mehrere Ports mehrmals angeben. Ein unbekannter, fehlerhafter oder leerer Name ist ein Aufruffehler.</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Record the bus traffic of a parallel port as a VCD file at FILE, the name as given (no .vcd is added); an existing FILE is replaced.</source>
        <translation>Den Busverkehr eines Parallelports als VCD-Datei in DATEI aufzeichnen, der Name wie angegeben (kein .vcd wird angehängt); eine vorhandene DATEI wird ersetzt.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>Append one JSON line per device operation to FILE, or a row to the database of a postgresql:// URI (default: $TARNEL_LOG); a log that cannot be opened or written is exit 4.</source>
        <translation>Je Gerätevorgang eine JSON-Zeile an DATEI anhängen, oder eine Zeile in die Datenbank eines postgresql://-URI (Vorgabe: $TARNEL_LOG); ein Protokoll, das sich nicht öffnen oder schreiben lässt, ist Exit 4.</translation>
    </message>
    <message>
        <source>Print the result as one JSON object on standard output (read, write, verify, dump, probe, compare, list-ports).</source>
        <translation>Das Ergebnis als ein JSON-Objekt auf der Standardausgabe ausgeben (read, write, verify, dump, probe, compare, list-ports).</translation>
    </message>
    <message>
        <source>dump: the layout, grid (default), i2cdump or xxd.</source>
        <translation>dump: die Darstellung, grid (Vorgabe), i2cdump oder xxd.</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMAT</translation>
    </message>
    <message>
        <source>Print nothing but errors; the exit code tells.</source>
        <translation>Nur Fehler ausgeben; der Exit-Code sagt das Ergebnis.</translation>
    </message>
    <message>
        <source>read, convert: overwrite an existing FILE or OUT.</source>
        <translation>read, convert: eine vorhandene DATEI oder AUS überschreiben.</translation>
    </message>
    <message>
        <source>The format of the image files, raw, ihex or srec, whatever their names say (- is raw without it). Given once it is for every FILE; compare and convert take it twice, for their two FILEs in turn.</source>
        <translation>Das Format der Abbilddateien, raw, ihex oder srec, gleich was ihre Namen sagen (- ist ohne die Option raw). Einmal angegeben gilt es für jede DATEI; compare und convert nehmen es zweimal, für ihre beiden DATEIen der Reihe nach.</translation>
    </message>
    <message>
        <source>write: registers per write transaction, 1 (byte writes, the default), 2, 4, 8 or 16. A size larger than the EEPROM&apos;s page shows as registers that differ after the read-back.</source>
        <translation>write: Register je Schreibtransaktion, 1 (Byte-Schreiben, Vorgabe), 2, 4, 8 oder 16. Eine Größe über der Seite des EEPROMs zeigt sich als Register, die nach dem Zurücklesen abweichen.</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>write, verify: registers REG to REG+LEN-1 (LEN 1 to 8) hold the unit&apos;s own value, most significant byte first (:le least significant first); write takes it from --counter, verify compares the other registers and shows the value the switch holds.</source>
        <translation>write, verify: die Register REG bis REG+LEN-1 (LEN 1 bis 8) enthalten den eigenen Wert des Geräts, höchstwertiges Byte zuerst (:le niederwertigstes zuerst); write nimmt ihn von --counter, verify vergleicht die übrigen Register und zeigt den Wert, den der Switch enthält.</translation>
    </message>
    <message>
        <source>REG:LEN[:le]</source>
        <translation>REG:LEN[:le]</translation>
    </message>
    <message>
        <source>write --stamp: the counter that gives every unit a value of its own, a file or postgresql://HOST/DB?...#NAME.</source>
        <translation>write --stamp: der Zähler, der jedem Gerät einen eigenen Wert gibt, eine Datei oder postgresql://HOST/DB?...#NAME.</translation>
    </message>
    <message>
        <source>SOURCE</source>
        <translation>QUELLE</translation>
    </message>
    <message>
        <source>write: do not read back and compare.</source>
        <translation>write: nicht zurücklesen und vergleichen.</translation>
    </message>
    <message>
        <source>command</source>
        <translation>befehl</translation>
    </message>
    <message>
        <source>read, write, verify, dump, probe, compare, convert or list-ports</source>
        <translation>read, write, verify, dump, probe, compare, convert oder list-ports</translation>
    </message>
    <message>
        <source>an image file</source>
        <translation>eine Abbilddatei</translation>
    </message>
    <message>
        <source>[FILE]...</source>
        <translation>[DATEI]...</translation>
    </message>
    <message>
        <source>%1 (see --help)</source>
        <translation>%1 (siehe --help)</translation>
    </message>
    <message>
        <source>No command given (see --help).</source>
        <translation>Kein Befehl angegeben (siehe --help).</translation>
    </message>
    <message>
        <source>Unknown command &quot;%1&quot; (see --help).</source>
        <translation>Unbekannter Befehl &quot;%1&quot; (siehe --help).</translation>
    </message>
    <message>
        <source>%1 takes no FILE.</source>
        <translation>%1 nimmt keine DATEI.</translation>
    </message>
    <message>
        <source>%1 needs exactly one FILE.</source>
        <translation>%1 braucht genau eine DATEI.</translation>
    </message>
    <message>
        <source>%1 needs exactly two FILEs.</source>
        <translation>%1 braucht genau zwei DATEIen.</translation>
    </message>
    <message>
        <source>A FILE given is empty; name an image file (- for the standard input or output).</source>
        <translation>Eine angegebene DATEI ist leer; nennen Sie eine Abbilddatei (- für die Standardein- oder -ausgabe).</translation>
    </message>
    <message>
        <source>Unknown format &quot;%1&quot;; use %2.</source>
        <translation>Unbekanntes Format &quot;%1&quot;; verwenden Sie %2.</translation>
    </message>
    <message>
        <source>--format is for dump only.</source>
        <translation>--format gilt nur für dump.</translation>
    </message>
    <message>
        <source>Unknown image format &quot;%1&quot;; use %2.</source>
        <translation>Unbekanntes Abbildformat &quot;%1&quot;; verwenden Sie %2.</translation>
    </message>
    <message>
        <source>%1 takes no FILE, so no --image-format.</source>
        <translation>%1 nimmt keine DATEI, also kein --image-format.</translation>
    </message>
    <message>
        <source>Give --image-format once, or once for each FILE.</source>
        <translation>Geben Sie --image-format einmal an oder einmal für jede DATEI.</translation>
    </message>
    <message>
        <source>--page-size is for write only.</source>
        <translation>--page-size gilt nur für write.</translation>
    </message>
    <message>
        <source>--page-size takes 1, 2, 4, 8 or 16, not &quot;%1&quot;.</source>
        <translation>--page-size nimmt 1, 2, 4, 8 oder 16, nicht &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>read - writes the image to standard output; leave out --json.</source>
        <translation>read - schreibt das Abbild auf die Standardausgabe; lassen Sie --json weg.</translation>
    </message>
    <message>
        <source>compare can read only one of its FILEs from standard input.</source>
        <translation>compare kann nur eine seiner DATEIen von der Standardeingabe lesen.</translation>
    </message>
    <message>
        <source>convert IN - writes the image to standard output; leave out --json.</source>
        <translation>convert EIN - schreibt das Abbild auf die Standardausgabe; lassen Sie --json weg.</translation>
    </message>
    <message>
        <source>read takes one port, as it writes one FILE.</source>
        <translation>read nimmt einen Port, da es eine DATEI schreibt.</translation>
    </message>
    <message>
        <source>--trace records one port; give one --port with it.</source>
        <translation>--trace zeichnet einen Port auf; geben Sie dazu ein --port an.</translation>
    </message>
    <message>
        <source>Read 128 registers into %1.</source>
        <translation>128 Register in %1 gelesen.</translation>
    </message>
    <message>
        <source>Writing register %1 of %2</source>
        <translation>Schreibe Register %1 von %2</translation>
    </message>
    <message>
        <source>No parallel ports or I2C adapters found (try --port sim).</source>
        <translation>Keine Parallelports oder I2C-Adapter gefunden (versuchen Sie --port sim).</translation>
    </message>
    <message>
        <source> (the computer&apos;s own SMBus: not usable)</source>
        <translation> (der eigene SMBus des Computers: nicht benutzbar)</translation>
    </message>
    <message>
        <source> (by name: &quot;%1&quot;)</source>
        <translation> (nach Name: &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>Cannot write the results to standard output: %1.</source>
        <translation>Die Ergebnisse können nicht auf die Standardausgabe geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>Cannot write the results to standard output.</source>
        <translation>Die Ergebnisse können nicht auf die Standardausgabe geschrieben werden.</translation>
    </message>
    <message>
        <source>Cannot read the image from standard input: it is closed.</source>
        <translation>Das Abbild kann nicht von der Standardeingabe gelesen werden: Sie ist geschlossen.</translation>
    </message>
    <message>
        <source>standard input is a folder, not an image file.</source>
        <translation>die Standardeingabe ist ein Ordner, keine Abbilddatei.</translation>
    </message>
    <message>
        <source>Cannot write the image to standard output.</source>
        <translation>Das Abbild kann nicht auf die Standardausgabe geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 register differs.
</source>
        <translation>%1 Register weicht ab.
</translation>
    </message>
    <message>
        <source>%1 registers differ.
</source>
        <translation>%1 Register weichen ab.
</translation>
    </message>
    <message>
        <source>cannot write the results to standard output.</source>
        <translation>die Ergebnisse können nicht auf die Standardausgabe geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Reads, edits, writes back and verifies the configuration EEPROM of a network switch.
-Unregister (or /Unregister, -Unregserver) removes the per-user settings and ends.</source>
        <translation>Liest, bearbeitet, schreibt zurück und prüft das Konfigurations-EEPROM eines Netzwerk-Switches.
-Unregister (oder /Unregister, -Unregserver) entfernt die Einstellungen des Benutzers und beendet das Programm.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Zeigt die Hilfe zu den Befehlszeilenoptionen an.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Zeigt die Versionsinformation an.</translation>
    </message>
    <message>
        <source>The port: %1 (see tarnel(1); default: $TARNEL_PORT, else /dev/parport0).</source>
        <translation>Der Port: %1 (siehe tarnel(1); Vorgabe: $TARNEL_PORT, sonst /dev/parport0).</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Records the bus traffic of every device command in FILE (VCD).</source>
        <translation>Zeichnet den Busverkehr jedes Gerätebefehls in DATEI auf (VCD).</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>Appends a JSON record of every device command to FILE, the audit log (default: $TARNEL_LOG).</source>
        <translation>Hängt für jeden Gerätebefehl einen JSON-Eintrag an DATEI an, das Audit-Protokoll (Vorgabe: $TARNEL_LOG).</translation>
    </message>
    <message>
        <source>file</source>
        <translation>datei</translation>
    </message>
    <message>
        <source>An image file (*.dat) to open at start.</source>
        <translation>Eine Abbilddatei (*.dat), die beim Start geöffnet wird.</translation>
    </message>
    <message>
        <source>[file]</source>
        <translation>[datei]</translation>
    </message>
    <message>
        <source>Only one image file can be opened at a time.</source>
        <translation>Es kann nur eine Abbilddatei auf einmal geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>CommandService</name>
    <message>
        <source>The tarnel window is busy: a dialog is open or a command is running. Try again when it is done.</source>
        <translation>Das tarnel-Fenster ist beschäftigt: Ein Dialog ist geöffnet oder ein Befehl läuft. Versuchen Sie es erneut, wenn er beendet ist.</translation>
    </message>
</context>
<context>
    <name>Counter</name>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
    <message>
        <source>first %1
last %2
next %3
left %4
void %5
</source>
        <translation>erster %1
letzter %2
nächster %3
übrig %4
ungültig %5
</translation>
    </message>
    <message>
        <source>counter %1 has no values left: last was %2</source>
        <translation>Zähler %1 hat keine Werte mehr: der letzte war %2</translation>
    </message>
    <message>
        <source>A counter in a database is named after #, as in postgresql://HOST/DB#NAME; %1 names none.</source>
        <translation>Ein Zähler in einer Datenbank wird nach # benannt, wie in postgresql://HOST/DB#NAME; %1 nennt keinen.</translation>
    </message>
    <message>
        <source>counter %1 exists already.</source>
        <translation>Zähler %1 existiert bereits.</translation>
    </message>
    <message>
        <source>counter %1 is not there; make it with tarnel-cli counter create.</source>
        <translation>Zähler %1 gibt es nicht; legen Sie ihn mit tarnel-cli counter create an.</translation>
    </message>
    <message>
        <source>Cannot use counter %1: %2</source>
        <translation>Zähler %1 kann nicht benutzt werden: %2</translation>
    </message>
    <message>
        <source>counter %1 is locked by another program.</source>
        <translation>Zähler %1 ist von einem anderen Programm gesperrt.</translation>
    </message>
    <message>
        <source>%1 is not a counter file.</source>
        <translation>%1 ist keine Zählerdatei.</translation>
    </message>
    <message>
        <source>Cannot use the counter: %1</source>
        <translation>Der Zähler kann nicht benutzt werden: %1</translation>
    </message>
</context>
<context>
    <name>CounterTool</name>
    <message>
        <source>counter takes create SOURCE FIRST LAST or show SOURCE (see --help).</source>
        <translation>counter nimmt create QUELLE ERSTER LETZTER oder show QUELLE (siehe --help).</translation>
    </message>
    <message>
        <source>counter needs a SOURCE: a file or a postgresql:// URI.</source>
        <translation>counter braucht eine QUELLE: eine Datei oder eine postgresql://-URI.</translation>
    </message>
    <message>
        <source>counter create takes FIRST and LAST, decimal or 0x hexadecimal up to 64 bits, FIRST not above LAST.</source>
        <translation>counter create nimmt ERSTER und LETZTER, dezimal oder 0x-hexadezimal bis 64 Bit, ERSTER nicht über LETZTER.</translation>
    </message>
    <message>
        <source>counter %1
</source>
        <translation>Zähler %1
</translation>
    </message>
</context>
<context>
    <name>CtarnelApp</name>
    <message>
        <source>Another tarnel window already takes the D-Bus commands (org.tarnel.Tarnel): commands sent over D-Bus go to that window, not to this one.</source>
        <translation>Ein anderes tarnel-Fenster nimmt bereits die D-Bus-Befehle an (org.tarnel.Tarnel): Über D-Bus gesendete Befehle gehen an jenes Fenster, nicht an dieses.</translation>
    </message>
    <message>
        <source>System registry entries have been removed and the INI file (if any) was deleted.</source>
        <translation>Die Einträge in der Systemregistrierung wurden entfernt und die INI-Datei (falls vorhanden) wurde gelöscht.</translation>
    </message>
    <message>
        <source>Not all of the system registry entries (or INI file) were removed.</source>
        <translation>Nicht alle Einträge der Systemregistrierung (oder der INI-Datei) wurden entfernt.</translation>
    </message>
</context>
<context>
    <name>CtarnelDoc</name>
    <message>
        <source>%1

Port: %2</source>
        <translation>%1

Port: %2</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>

The switch took the registers before register %1 in the last Download, so it is connected: it may be busy with a write cycle that does not end. Switch it off and on, then try again.</source>
        <translation>

Der Switch hat beim letzten Schreiben die Register vor Register %1 angenommen, er ist also angeschlossen: Möglicherweise hängt er in einem Schreibzyklus, der nicht endet. Schalten Sie ihn aus und wieder ein und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Auslesen</translation>
    </message>
</context>
<context>
    <name>DashedName</name>
    <message>
        <source>%1 looks like options; to name a file that begins with &quot;-&quot;, put -- before it: -- %1</source>
        <translation>%1 sieht wie Optionen aus; um eine Datei zu nennen, deren Name mit &quot;-&quot; beginnt, setzen Sie -- davor: -- %1</translation>
    </message>
</context>
<context>
    <name>DeviceLink</name>
    <message>
        <source>a page write takes 1, 2, 4, 8 or 16 bytes, not %1</source>
        <translation>ein Seitenschreibvorgang umfasst 1, 2, 4, 8 oder 16 Bytes, nicht %1</translation>
    </message>
    <message>
        <source>the EEPROM did not acknowledge the data byte %1</source>
        <translation>das EEPROM hat das Datenbyte %1 nicht quittiert</translation>
    </message>
    <message>
        <source>within %1 ms</source>
        <translation>innerhalb von %1 ms</translation>
    </message>
</context>
<context>
    <name>DeviceMessages</name>
    <message>
        <source>Download is completed, please reset the switch for the new settings to take effect.</source>
        <translation>Das Schreiben ist abgeschlossen. Bitte setzen Sie den Switch zurück, damit die neuen Einstellungen wirksam werden.</translation>
    </message>
    <message>
        <source>The image was written, not verified (--no-verify); reset the switch for the new settings to take effect.</source>
        <translation>Das Abbild wurde geschrieben, aber nicht geprüft (--no-verify); setzen Sie den Switch zurück, damit die neuen Einstellungen wirksam werden.</translation>
    </message>
    <message>
        <source>register %1 written %2 read %3</source>
        <translation>Register %1 geschrieben %2 gelesen %3</translation>
    </message>
    <message>
        <source>Download failed: %1 of 128 registers read back differ from the image (%2%3). The switch holds a wrong image; check that its EEPROM is not write-protected, the adapter and the cable, then download again.</source>
        <translation>Schreiben fehlgeschlagen: %1 von 128 zurückgelesenen Registern weichen vom Abbild ab (%2%3). Der Switch enthält ein falsches Abbild; prüfen Sie, ob sein EEPROM schreibgeschützt ist, den Adapter und das Kabel, und schreiben Sie dann erneut.</translation>
    </message>
    <message>
        <source>Download failed: the image was written but could not be read back to check it. %1 The switch may hold a wrong image.</source>
        <translation>Schreiben fehlgeschlagen: Das Abbild wurde geschrieben, konnte aber zur Prüfung nicht zurückgelesen werden. %1 Der Switch enthält möglicherweise ein falsches Abbild.</translation>
    </message>
</context>
<context>
    <name>DialogTemplate</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>DumpFormat</name>
    <message>
        <source>grid, i2cdump or xxd</source>
        <translation>grid, i2cdump oder xxd</translation>
    </message>
</context>
<context>
    <name>EepromLink</name>
    <message>
        <source>the data line (SDA) is held low and could not be freed; check the adapter and the cable</source>
        <translation>die Datenleitung (SDA) wird auf Low gehalten und konnte nicht freigegeben werden; prüfen Sie den Adapter und das Kabel</translation>
    </message>
    <message>
        <source>the EEPROM did not acknowledge its address 0xA0 %1; check that the adapter is plugged in, the cable is connected and the switch is powered</source>
        <translation>das EEPROM hat seine Adresse 0xA0 nicht %1 quittiert; prüfen Sie, ob der Adapter eingesteckt, das Kabel angeschlossen und der Switch eingeschaltet ist</translation>
    </message>
    <message>
        <source>the EEPROM acknowledged 0xA0 but not its read address 0xA1</source>
        <translation>das EEPROM hat 0xA0 quittiert, aber nicht seine Leseadresse 0xA1</translation>
    </message>
    <message>
        <source>the EEPROM did not acknowledge the word address</source>
        <translation>das EEPROM hat die Wortadresse nicht quittiert</translation>
    </message>
</context>
<context>
    <name>FileError</name>
    <message>
        <source>No error occurred.</source>
        <translation>Es ist kein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>An unknown error occurred while accessing %1.</source>
        <translation>Beim Zugriff auf %1 ist ein unbekannter Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>%1 contains an invalid path.</source>
        <translation>%1 enthält einen ungültigen Pfad.</translation>
    </message>
    <message>
        <source>%1 could not be opened because there are too many open files.</source>
        <translation>%1 konnte nicht geöffnet werden, weil zu viele Dateien geöffnet sind.</translation>
    </message>
    <message>
        <source>Access to %1 was denied.</source>
        <translation>Der Zugriff auf %1 wurde verweigert.</translation>
    </message>
    <message>
        <source>An invalid file handle was associated with %1.</source>
        <translation>Mit %1 war ein ungültiges Datei-Handle verbunden.</translation>
    </message>
    <message>
        <source>%1 could not be removed because it is the current directory.</source>
        <translation>%1 konnte nicht entfernt werden, weil es das aktuelle Verzeichnis ist.</translation>
    </message>
    <message>
        <source>%1 could not be created because the directory is full.</source>
        <translation>%1 konnte nicht angelegt werden, weil das Verzeichnis voll ist.</translation>
    </message>
    <message>
        <source>Seek failed on %1</source>
        <translation>Positionieren in %1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>A hardware I/O error was reported while accessing %1.</source>
        <translation>Beim Zugriff auf %1 wurde ein Hardware-E/A-Fehler gemeldet.</translation>
    </message>
    <message>
        <source>A sharing violation occurred while accessing %1.</source>
        <translation>Beim Zugriff auf %1 ist eine Freigabeverletzung aufgetreten.</translation>
    </message>
    <message>
        <source>A locking violation occurred while accessing %1.</source>
        <translation>Beim Zugriff auf %1 ist eine Sperrverletzung aufgetreten.</translation>
    </message>
    <message>
        <source>Disk full while accessing %1.</source>
        <translation>Datenträger voll beim Zugriff auf %1.</translation>
    </message>
    <message>
        <source>An attempt was made to access %1 past its end.</source>
        <translation>Es wurde versucht, über das Ende von %1 hinaus zuzugreifen.</translation>
    </message>
    <message>
        <source>an unnamed file</source>
        <translation>eine unbenannte Datei</translation>
    </message>
</context>
<context>
    <name>GridAccessible</name>
    <message>
        <source>Registers</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>Register %1</source>
        <translation>Register %1</translation>
    </message>
</context>
<context>
    <name>I2cDevAdapter</name>
    <message>
        <source>tarnel-cli list-ports lists the adapters present; if none is listed, load the i2c-dev module (sudo modprobe i2c-dev).</source>
        <translation>tarnel-cli list-ports listet die vorhandenen Adapter auf; steht dort keiner, laden Sie das Modul i2c-dev (sudo modprobe i2c-dev).</translation>
    </message>
    <message>
        <source>Add your user to group i2c (sudo usermod -aG i2c $USER, then log in again), or give the device to a group of yours with a udev rule.</source>
        <translation>Nehmen Sie Ihren Benutzer in die Gruppe i2c auf (sudo usermod -aG i2c $USER, dann neu anmelden) oder geben Sie das Gerät mit einer udev-Regel einer Ihrer Gruppen.</translation>
    </message>
    <message>
        <source>%1 is not an I2C adapter of the i2c-dev driver; tarnel-cli list-ports lists the adapters present.</source>
        <translation>%1 ist kein I2C-Adapter des Treibers i2c-dev; tarnel-cli list-ports listet die vorhandenen Adapter auf.</translation>
    </message>
    <message>
        <source>%1 is the computer&apos;s own SMBus, where the memory modules keep their SPD data at 0x50 to 0x57; tarnel never uses it, so that a write cannot ruin them. tarnel talks to a switch through a USB or other I2C adapter: tarnel-cli list-ports lists the adapters present.</source>
        <translation>%1 ist der eigene SMBus des Computers, auf dem die Speichermodule ihre SPD-Daten bei 0x50 bis 0x57 halten; tarnel verwendet ihn nie, damit ein Schreibvorgang sie nicht zerstören kann. tarnel spricht mit einem Switch über einen USB- oder anderen I2C-Adapter: tarnel-cli list-ports listet die vorhandenen Adapter auf.</translation>
    </message>
    <message>
        <source>Cannot open the I2C adapter %1: %2.</source>
        <translation>Der I2C-Adapter %1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The I2C adapter %1 is in use by another tarnel (another program, or another --port naming the same adapter); wait until it has finished.</source>
        <translation>Der I2C-Adapter %1 wird von einem anderen tarnel verwendet (einem anderen Programm oder einem anderen --port, der denselben Adapter nennt); warten Sie, bis es fertig ist.</translation>
    </message>
    <message>
        <source>The I2C adapter %1 is in use: %2.</source>
        <translation>Der I2C-Adapter %1 ist belegt: %2.</translation>
    </message>
    <message>
        <source>Cannot ask the I2C adapter %1 what it can do: %2.</source>
        <translation>Der I2C-Adapter %1 kann nicht nach seinen Fähigkeiten gefragt werden: %2.</translation>
    </message>
    <message>
        <source>the kernel driver %1 holds address %2 on %3; unbind it first (echo %4 | sudo tee /sys/bus/i2c/drivers/%1/unbind), so that tarnel does not talk over it</source>
        <translation>der Kerneltreiber %1 belegt die Adresse %2 am Adapter %3; lösen Sie ihn zuerst (echo %4 | sudo tee /sys/bus/i2c/drivers/%1/unbind), damit tarnel nicht gleichzeitig mit ihm auf den Bus zugreift</translation>
    </message>
    <message>
        <source>a kernel driver holds address %1 on %2; unbind it first (echo %3 | sudo tee /sys/bus/i2c/drivers/DRIVER/unbind), so that tarnel does not talk over it</source>
        <translation>ein Kerneltreiber belegt die Adresse %1 am Adapter %2; lösen Sie ihn zuerst (echo %3 | sudo tee /sys/bus/i2c/drivers/TREIBER/unbind), damit tarnel nicht gleichzeitig mit ihm auf den Bus zugreift</translation>
    </message>
</context>
<context>
    <name>I2cDevKind</name>
    <message>
        <source>I2C adapter</source>
        <translation>I2C-Adapter</translation>
    </message>
    <message>
        <source>an I2C adapter through i2c-dev, by its device, number or kernel name</source>
        <translation>ein I2C-Adapter über i2c-dev, nach Gerät, Nummer oder Kernelname</translation>
    </message>
</context>
<context>
    <name>I2cSysfs</name>
    <message>
        <source>i2c:%1 &quot;%2&quot; (the computer&apos;s own SMBus, not usable)</source>
        <translation>i2c:%1 &quot;%2&quot; (der eigene SMBus des Computers, nicht verwendbar)</translation>
    </message>
    <message>
        <source>i2c:%1 &quot;%2&quot;</source>
        <translation>i2c:%1 &quot;%2&quot;</translation>
    </message>
    <message>
        <source>none (load the i2c-dev module: sudo modprobe i2c-dev)</source>
        <translation>keine (laden Sie das Modul i2c-dev: sudo modprobe i2c-dev)</translation>
    </message>
    <message>
        <source>No I2C adapter is named &quot;%1&quot; or has a name beginning with it. I2C adapters present: %2.</source>
        <translation>Kein I2C-Adapter heißt &quot;%1&quot; oder hat einen Namen, der so beginnt. Vorhandene I2C-Adapter: %2.</translation>
    </message>
    <message>
        <source>Several I2C adapters match &quot;%1&quot;; give more of the name, or the adapter&apos;s number (i2c:N). I2C adapters present: %2.</source>
        <translation>Mehrere I2C-Adapter passen zu &quot;%1&quot;; geben Sie mehr vom Namen an oder die Nummer des Adapters (i2c:N). Vorhandene I2C-Adapter: %2.</translation>
    </message>
</context>
<context>
    <name>ImageAssembler</name>
    <message>
        <source>data at address %1 lies outside registers 0 to 127</source>
        <translation>Daten an Adresse %1 liegen außerhalb der Register 0 bis 127</translation>
    </message>
    <message>
        <source>register %1 is given as %2 here but as %3 on line %4</source>
        <translation>Register %1 ist hier als %2 angegeben, in Zeile %4 aber als %3</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>the end record comes with register %1 missing; an image file gives all 128 registers</source>
        <translation>der Endesatz kommt, während Register %1 fehlt; eine Abbilddatei gibt alle 128 Register an</translation>
    </message>
    <message>
        <source>the end record comes with registers %1 missing; an image file gives all 128 registers</source>
        <translation>der Endesatz kommt, während die Register %1 fehlen; eine Abbilddatei gibt alle 128 Register an</translation>
    </message>
</context>
<context>
    <name>ImageFile</name>
    <message>
        <source>%1 is not a valid %2 image: %3.</source>
        <translation>%1 ist kein gültiges %2-Abbild: %3.</translation>
    </message>
    <message>
        <source>the file is larger than an image file can be (%1 bytes)</source>
        <translation>die Datei ist größer, als eine Abbilddatei sein kann (%1 Bytes)</translation>
    </message>
    <message>
        <source>more than 128</source>
        <translation>mehr als 128</translation>
    </message>
    <message>
        <source>%1 is not an image file: it holds %2 byte where an image file holds 128.</source>
        <translation>%1 ist keine Abbilddatei: Sie enthält %2 Byte, eine Abbilddatei enthält 128.</translation>
    </message>
    <message>
        <source>%1 is not an image file: it holds %2 bytes where an image file holds 128.</source>
        <translation>%1 ist keine Abbilddatei: Sie enthält %2 Bytes, eine Abbilddatei enthält 128.</translation>
    </message>
    <message>
        <source>%1 is in use by another program; try again.</source>
        <translation>%1 wird von einem anderen Programm benutzt; versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>%1 cannot be used: the name is not valid UTF-8, so it would reach the system changed.</source>
        <translation>%1 kann nicht benutzt werden: Der Name ist kein gültiges UTF-8 und käme daher verändert beim System an.</translation>
    </message>
    <message>
        <source>an image file</source>
        <translation>eine Abbilddatei</translation>
    </message>
</context>
<context>
    <name>ImageFormat</name>
    <message>
        <source>Intel HEX</source>
        <translation>Intel HEX</translation>
    </message>
    <message>
        <source>S-record</source>
        <translation>S-Record</translation>
    </message>
    <message>
        <source>raw</source>
        <translation>roh</translation>
    </message>
    <message>
        <source>raw, ihex or srec</source>
        <translation>raw, ihex oder srec</translation>
    </message>
</context>
<context>
    <name>IntelHexCodec</name>
    <message>
        <source>a record begins with &quot;:&quot;</source>
        <translation>ein Satz beginnt mit &quot;:&quot;</translation>
    </message>
    <message>
        <source>the record holds %1 data bytes where its length says %2</source>
        <translation>der Satz enthält %1 Datenbytes, seine Länge sagt aber %2</translation>
    </message>
    <message>
        <source>record type %1 has no place in an image file</source>
        <translation>Satztyp %1 hat in einer Abbilddatei nichts zu suchen</translation>
    </message>
    <message>
        <source>a record of type %1 holds %2 data bytes, not %3</source>
        <translation>ein Satz vom Typ %1 enthält %2 Datenbytes, nicht %3</translation>
    </message>
    <message>
        <source>the file ends without an end record (type 01)</source>
        <translation>die Datei endet ohne Endesatz (Typ 01)</translation>
    </message>
</context>
<context>
    <name>IoBaseClaim</name>
    <message>
        <source>The parallel port at %1 is in use by another tarnel (another program, or another --port naming the same port); wait until it has finished.</source>
        <translation>Der Parallelport an %1 wird von einem anderen tarnel verwendet (einem anderen Programm oder einem anderen --port, der denselben Port nennt); warten Sie, bis es fertig ist.</translation>
    </message>
    <message>
        <source>Cannot claim the parallel port at %1: %2 Direct port I/O (io:) needs root; the ppdev port /dev/parportN does not.</source>
        <translation>Der Parallelport an %1 kann nicht belegt werden: %2 Direkte Port-E/A (io:) braucht root; der ppdev-Port /dev/parportN nicht.</translation>
    </message>
    <message>
        <source>cannot create the folder %1: %2.</source>
        <translation>der Ordner %1 kann nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>%1 is not a folder that only its owner, root, can write to; remove it so that tarnel makes it anew.</source>
        <translation>%1 ist kein Ordner, in den nur sein Eigentümer root schreiben kann; entfernen Sie ihn, damit tarnel ihn neu anlegt.</translation>
    </message>
    <message>
        <source>%1 belongs to another user; remove it.</source>
        <translation>%1 gehört einem anderen Benutzer; entfernen Sie die Datei.</translation>
    </message>
    <message>
        <source>cannot lock %1: %2.</source>
        <translation>%1 kann nicht gesperrt werden: %2.</translation>
    </message>
</context>
<context>
    <name>IoKind</name>
    <message>
        <source>direct port I/O at that address, needs root</source>
        <translation>direkte Port-E/A an dieser Adresse, braucht root</translation>
    </message>
</context>
<context>
    <name>IoPort</name>
    <message>
        <source>Direct port I/O needs root or the CAP_SYS_RAWIO capability; a member of group lp can use the ppdev port /dev/parport0 instead.</source>
        <translation>Direkte Port-E/A braucht root oder die Capability CAP_SYS_RAWIO; ein Mitglied der Gruppe lp kann stattdessen den ppdev-Port /dev/parport0 verwenden.</translation>
    </message>
    <message>
        <source>This kernel gives no direct port I/O (many virtual machines do not); use the ppdev port /dev/parport0 instead (sudo modprobe parport_pc ppdev).</source>
        <translation>Dieser Kernel bietet keine direkte Port-E/A (viele virtuelle Maschinen nicht); verwenden Sie stattdessen den ppdev-Port /dev/parport0 (sudo modprobe parport_pc ppdev).</translation>
    </message>
    <message>
        <source>%1 is not the base address of a parallel port. io: takes 0x378, 0x278, 0x3BC or a base the kernel lists for its parallel ports (tarnel-cli list-ports); other addresses belong to other hardware of the machine.</source>
        <translation>%1 ist nicht die Basisadresse eines Parallelports. io: nimmt 0x378, 0x278, 0x3BC oder eine Basis, die der Kernel für seine Parallelports angibt (tarnel-cli list-ports); andere Adressen gehören zu anderer Hardware des Rechners.</translation>
    </message>
    <message>
        <source>Cannot get access to I/O ports %1: %2. %3</source>
        <translation>Kein Zugriff auf die E/A-Ports %1: %2. %3</translation>
    </message>
    <message>
        <source>No parallel port answers at %1: its data register does not keep what is written to it. tarnel-cli list-ports lists the parallel ports the kernel found.</source>
        <translation>An %1 antwortet kein Parallelport: Sein Datenregister behält nicht, was hineingeschrieben wird. tarnel-cli list-ports listet die Parallelports auf, die der Kernel gefunden hat.</translation>
    </message>
    <message>
        <source>Cannot get access to I/O ports %1: this machine has no x86 port I/O. Use the ppdev port /dev/parport0.</source>
        <translation>Kein Zugriff auf die E/A-Ports %1: Dieser Rechner hat keine x86-Port-E/A. Verwenden Sie den ppdev-Port /dev/parport0.</translation>
    </message>
</context>
<context>
    <name>KernelFiles</name>
    <message>
        <source>You are in group %1 already, but %2 belongs to group %3 with mode %4, which does not let the group open it: give it to group %1 with read and write for the group (a udev rule with GROUP=&quot;%1&quot;, MODE=&quot;0660&quot;).</source>
        <translation>Sie sind bereits in der Gruppe %1, aber %2 gehört der Gruppe %3 mit dem Modus %4, der der Gruppe das Öffnen nicht erlaubt: Geben Sie das Gerät der Gruppe %1 mit Lesen und Schreiben für die Gruppe (eine udev-Regel mit GROUP=&quot;%1&quot;, MODE=&quot;0660&quot;).</translation>
    </message>
</context>
<context>
    <name>LinkResult</name>
    <message>
        <source>Reading the EEPROM failed at register %1: %2.</source>
        <translation>Das Lesen des EEPROMs ist bei Register %1 fehlgeschlagen: %2.</translation>
    </message>
    <message>
        <source>Nothing was written to the switch.</source>
        <translation>Auf den Switch wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Only register 0 was written: the switch holds a partly written image.</source>
        <translation>Nur Register 0 wurde geschrieben: Der Switch enthält ein teilweise geschriebenes Abbild.</translation>
    </message>
    <message>
        <source>Registers 0 to %1 were written: the switch holds a partly written image.</source>
        <translation>Die Register 0 bis %1 wurden geschrieben: Der Switch enthält ein teilweise geschriebenes Abbild.</translation>
    </message>
    <message>
        <source>Writing the EEPROM failed at register %1: %2. %3</source>
        <translation>Das Schreiben des EEPROMs ist bei Register %1 fehlgeschlagen: %2. %3</translation>
    </message>
</context>
<context>
    <name>LptProbe</name>
    <message>
        <source>pull-up on SDA (SCL low, SDA released)</source>
        <translation>Pull-up an SDA (SCL auf Low, SDA freigegeben)</translation>
    </message>
    <message>
        <source>SDA reads high: the adapter is connected and the bus powered</source>
        <translation>SDA liegt auf High: Der Adapter ist angeschlossen und der Bus versorgt</translation>
    </message>
    <message>
        <source>SDA reads high after %1 clock(s) freed a device left in the middle of a byte</source>
        <translation>SDA liegt auf High, nachdem %1 Takt(e) ein mitten in einem Byte stehengebliebenes Gerät befreit haben</translation>
    </message>
    <message>
        <source>SDA reads low. The data line is held low (a short, or a damaged device on the bus), or nothing powers the bus: check that the switch is on and the adapter and its cable are plugged in</source>
        <translation>SDA liegt auf Low. Die Datenleitung wird auf Low gehalten (ein Kurzschluss oder ein beschädigtes Gerät am Bus), oder nichts versorgt den Bus: Prüfen Sie, ob der Switch eingeschaltet ist und der Adapter und sein Kabel eingesteckt sind</translation>
    </message>
    <message>
        <source>adapter drives and senses SDA (SCL low)</source>
        <translation>Adapter treibt und liest SDA (SCL auf Low)</translation>
    </message>
    <message>
        <source>SDA still reads high while the port drives it low: data line D7 does not reach SDA or status line nAck (bit 6) does not sense it. Is the adapter plugged into this port, and is it the right adapter?</source>
        <translation>SDA liegt weiter auf High, während der Port die Leitung auf Low zieht: Die Datenleitung D7 erreicht SDA nicht, oder die Statusleitung nAck (Bit 6) erfasst sie nicht. Steckt der Adapter an diesem Port, und ist es der richtige Adapter?</translation>
    </message>
    <message>
        <source>SDA stays low after the port released it: the adapter&apos;s SDA driver or the bus&apos;s pull-up is faulty; check the adapter</source>
        <translation>SDA bleibt auf Low, nachdem der Port die Leitung freigegeben hat: Der SDA-Treiber des Adapters oder der Pull-up des Busses ist defekt; prüfen Sie den Adapter</translation>
    </message>
    <message>
        <source>driven low it reads low, released it reads high</source>
        <translation>auf Low gezogen liegt die Leitung auf Low, freigegeben auf High</translation>
    </message>
    <message>
        <source>EEPROM acknowledges its address 0xA0</source>
        <translation>EEPROM quittiert seine Adresse 0xA0</translation>
    </message>
    <message>
        <source>no acknowledge %1. The bus is powered and the adapter works, so the EEPROM itself does not answer: it is missing or damaged, or stuck in a write cycle. Power the switch off and on, then probe again</source>
        <translation>kein Acknowledge %1. Der Bus ist versorgt und der Adapter arbeitet, also antwortet das EEPROM selbst nicht: Es fehlt, ist beschädigt oder hängt in einem Schreibzyklus. Schalten Sie den Switch aus und wieder ein und prüfen Sie dann erneut</translation>
    </message>
    <message>
        <source>bus left idle (SDA and SCL released)</source>
        <translation>Bus im Ruhezustand hinterlassen (SDA und SCL freigegeben)</translation>
    </message>
    <message>
        <source>SDA reads low after the STOP: something on the bus holds the data line; power the switch off and on, then probe again</source>
        <translation>SDA liegt nach dem STOP auf Low: Etwas am Bus hält die Datenleitung; schalten Sie den Switch aus und wieder ein und prüfen Sie dann erneut</translation>
    </message>
</context>
<context>
    <name>MultiPortRunner</name>
    <message>
        <source>The port name given with --port is empty.</source>
        <translation>Der mit --port angegebene Portname ist leer.</translation>
    </message>
    <message>
        <source>TARNEL_PORT holds an empty port name.</source>
        <translation>TARNEL_PORT enthält einen leeren Portnamen.</translation>
    </message>
    <message>
        <source>The port %1 is named twice.</source>
        <translation>Der Port %1 ist zweimal genannt.</translation>
    </message>
    <message>
        <source>the port failed in an unknown way.</source>
        <translation>der Port ist auf unbekannte Weise fehlgeschlagen.</translation>
    </message>
    <message>
        <source>cannot start a thread for this port: %1</source>
        <translation>für diesen Port kann kein Thread gestartet werden: %1</translation>
    </message>
</context>
<context>
    <name>OperationRunner</name>
    <message>
        <source>The command failed for an unknown reason.</source>
        <translation>Der Befehl ist aus unbekanntem Grund fehlgeschlagen.</translation>
    </message>
    <message>
        <source>%1 The %2 itself ended with the result %3 (exit status %4).</source>
        <translation>%1 Der Vorgang %2 selbst endete mit dem Ergebnis %3 (Exit-Status %4).</translation>
    </message>
    <message>
        <source>%1 The %2 itself ended with the result %3.</source>
        <translation>%1 Der Vorgang %2 selbst endete mit dem Ergebnis %3.</translation>
    </message>
</context>
<context>
    <name>ParportState</name>
    <message>
        <source>Add your user to group lp (sudo usermod -aG lp $USER) and log in again.</source>
        <translation>Nehmen Sie Ihren Benutzer in die Gruppe lp auf (sudo usermod -aG lp $USER) und melden Sie sich neu an.</translation>
    </message>
    <message>
        <source>The ppdev driver is not loaded: sudo modprobe ppdev.</source>
        <translation>Der Treiber ppdev ist nicht geladen: sudo modprobe ppdev.</translation>
    </message>
    <message>
        <source>The ppdev driver is not loaded: sudo modprobe parport_pc ppdev.</source>
        <translation>Der Treiber ppdev ist nicht geladen: sudo modprobe parport_pc ppdev.</translation>
    </message>
    <message>
        <source>This machine has no such parallel port, or its driver is not loaded (sudo modprobe parport_pc ppdev).</source>
        <translation>Dieser Rechner hat keinen solchen Parallelport, oder sein Treiber ist nicht geladen (sudo modprobe parport_pc ppdev).</translation>
    </message>
    <message>
        <source>This machine has no parallel port %1 (tarnel-cli list-ports lists the ports present).</source>
        <translation>Dieser Rechner hat keinen Parallelport %1 (tarnel-cli list-ports listet die vorhandenen Ports auf).</translation>
    </message>
    <message>
        <source>It is not a parallel-port device.</source>
        <translation>Es ist kein Parallelport-Gerät.</translation>
    </message>
    <message>
        <source>Another driver may hold the port.</source>
        <translation>Möglicherweise belegt ein anderer Treiber den Port.</translation>
    </message>
    <message>
        <source>No parallel port is behind /dev/%1: the kernel has no port %1; load the port&apos;s driver (sudo modprobe parport_pc).</source>
        <translation>Hinter /dev/%1 steht kein Parallelport: Der Kernel hat keinen Port %1; laden Sie den Treiber des Ports (sudo modprobe parport_pc).</translation>
    </message>
    <message>
        <source>The lp printer driver holds the port: unload it with sudo modprobe -r lp.</source>
        <translation>Der Druckertreiber lp belegt den Port: Entladen Sie ihn mit sudo modprobe -r lp.</translation>
    </message>
    <message>
        <source>Another program holds the port through ppdev; close it and try again.</source>
        <translation>Ein anderes Programm belegt den Port über ppdev; beenden Sie es und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The kernel driver %1 holds the port; unload it if nothing needs it (sudo modprobe -r %1).</source>
        <translation>Der Kerneltreiber %1 belegt den Port; entladen Sie ihn, wenn nichts ihn braucht (sudo modprobe -r %1).</translation>
    </message>
    <message>
        <source>Another driver may hold the port (see %1/devices).</source>
        <translation>Möglicherweise belegt ein anderer Treiber den Port (siehe %1/devices).</translation>
    </message>
</context>
<context>
    <name>PortFactory</name>
    <message>
        <source>TARNEL_SIM_PAGE: &quot;%1&quot; is no page size; use 1, 2, 4, 8, 16, 32, 64 or 128.</source>
        <translation>TARNEL_SIM_PAGE: &quot;%1&quot; ist keine Seitengröße; verwenden Sie 1, 2, 4, 8, 16, 32, 64 oder 128.</translation>
    </message>
    <message>
        <source>A bus trace is recorded on parallel ports only; %1 is an I2C adapter. Leave out --trace.</source>
        <translation>Eine Busaufzeichnung ist nur an Parallelports möglich; %1 ist ein I2C-Adapter. Lassen Sie --trace weg.</translation>
    </message>
</context>
<context>
    <name>PortKind</name>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>PortKinds</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1, or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Unknown port &quot;%1&quot;. Use %2.</source>
        <translation>Unbekannter Port &quot;%1&quot;. Verwenden Sie %2.</translation>
    </message>
</context>
<context>
    <name>PortProbe</name>
    <message>
        <source>the port opens</source>
        <translation>der Port lässt sich öffnen</translation>
    </message>
    <message>
        <source>the port keeps answering</source>
        <translation>der Port antwortet weiterhin</translation>
    </message>
</context>
<context>
    <name>PortSession</name>
    <message>
        <source>A bus trace is already being recorded in this run.</source>
        <translation>In diesem Lauf wird bereits eine Busaufzeichnung erstellt.</translation>
    </message>
</context>
<context>
    <name>PpdevKind</name>
    <message>
        <source>%1 is not a parallel port: the ppdev driver&apos;s ports are the character devices /dev/parportN (tarnel-cli list-ports lists them).</source>
        <translation>%1 ist kein Parallelport: Die Ports des Treibers ppdev sind die zeichenorientierten Geräte /dev/parportN (tarnel-cli list-ports listet sie auf).</translation>
    </message>
    <message>
        <source>parallel port</source>
        <translation>Parallelport</translation>
    </message>
    <message>
        <source>parallel port at %1</source>
        <translation>Parallelport an %1</translation>
    </message>
    <message>
        <source>the kernel&apos;s ppdev driver, default /dev/parport0</source>
        <translation>der Treiber ppdev des Kernels, Vorgabe /dev/parport0</translation>
    </message>
</context>
<context>
    <name>PpdevPort</name>
    <message>
        <source>Cannot open the parallel port %1: %2.</source>
        <translation>Der Parallelport %1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Cannot claim the parallel port %1: %2.</source>
        <translation>Der Parallelport %1 kann nicht belegt werden: %2.</translation>
    </message>
    <message>
        <source>The port went away during the operation: check that the adapter is still plugged in and its driver loaded, then try again.</source>
        <translation>Der Port ist während des Vorgangs verschwunden: Prüfen Sie, ob der Adapter noch eingesteckt und sein Treiber geladen ist, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>Cannot write to the parallel port %1: %2.</source>
        <translation>Auf den Parallelport %1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Cannot read from the parallel port %1: %2.</source>
        <translation>Vom Parallelport %1 kann nicht gelesen werden: %2.</translation>
    </message>
</context>
<context>
    <name>ProbeReport</name>
    <message>
        <source>%1: FAILED: %2</source>
        <translation>%1: FEHLGESCHLAGEN: %2</translation>
    </message>
    <message>
        <source>%1: ok</source>
        <translation>%1: ok</translation>
    </message>
    <message>
        <source>%1: ok, %2</source>
        <translation>%1: ok, %2</translation>
    </message>
    <message>
        <source>after it was busy at first (finishing a write cycle)</source>
        <translation>nachdem es zuerst beschäftigt war (Abschluss eines Schreibzyklus)</translation>
    </message>
</context>
<context>
    <name>QtPrompter</name>
    <message>
        <source>Data files (*.dat)</source>
        <translation>Datendateien (*.dat)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
</context>
<context>
    <name>RecordText</name>
    <message>
        <source>%1 is not a hexadecimal digit</source>
        <translation>%1 ist keine Hexadezimalziffer</translation>
    </message>
    <message>
        <source>the record has an odd number of hexadecimal digits</source>
        <translation>der Satz hat eine ungerade Anzahl Hexadezimalziffern</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>a record follows the end record on line %1</source>
        <translation>auf den Endesatz in Zeile %1 folgt ein weiterer Satz</translation>
    </message>
    <message>
        <source>the record is too short</source>
        <translation>der Satz ist zu kurz</translation>
    </message>
    <message>
        <source>the checksum is %1 where the record&apos;s bytes give %2</source>
        <translation>die Prüfsumme ist %1, die Bytes des Satzes ergeben aber %2</translation>
    </message>
</context>
<context>
    <name>SRecordCodec</name>
    <message>
        <source>a record begins with &quot;S&quot; and its type</source>
        <translation>ein Satz beginnt mit &quot;S&quot; und seinem Typ</translation>
    </message>
    <message>
        <source>record type S%1 has no place in an image file</source>
        <translation>Satztyp S%1 hat in einer Abbilddatei nichts zu suchen</translation>
    </message>
    <message>
        <source>the record holds %1 bytes after its count, which says %2</source>
        <translation>der Satz enthält nach seiner Längenangabe %1 Bytes, diese sagt aber %2</translation>
    </message>
    <message>
        <source>the count record says %1 data records where the file has %2 before it</source>
        <translation>der Zählsatz nennt %1 Datensätze, die Datei hat davor aber %2</translation>
    </message>
    <message>
        <source>the file ends without an end record (S7, S8 or S9)</source>
        <translation>die Datei endet ohne Endesatz (S7, S8 oder S9)</translation>
    </message>
</context>
<context>
    <name>SafeOpen</name>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>ein FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>ein zeichenorientiertes Gerät</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>ein blockorientiertes Gerät</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>eine Spezialdatei</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>%1 is %2, not %3.</source>
        <translation>%1 ist %2, nicht %3.</translation>
    </message>
    <message>
        <source>a regular file</source>
        <translation>eine reguläre Datei</translation>
    </message>
    <message>
        <source>%1 is not followed: it leads through a symbolic link another user owns in the shared folder %2.</source>
        <translation>%1 wird nicht verfolgt: Der Pfad führt über eine symbolische Verknüpfung, die einem anderen Benutzer im gemeinsamen Ordner %2 gehört.</translation>
    </message>
    <message>
        <source>%1 leads through too many symbolic links (a loop).</source>
        <translation>%1 führt über zu viele symbolische Verknüpfungen (eine Schleife).</translation>
    </message>
</context>
<context>
    <name>SimCh341</name>
    <message>
        <source>the simulated CH341A got a malformed segment: %1</source>
        <translation>der simulierte CH341A hat ein fehlerhaftes Segment erhalten: %1</translation>
    </message>
    <message>
        <source>it is %1 bytes long</source>
        <translation>es ist %1 Bytes lang</translation>
    </message>
    <message>
        <source>it does not begin with 0xAA and end with 0x00</source>
        <translation>es beginnt nicht mit 0xAA und endet nicht mit 0x00</translation>
    </message>
    <message>
        <source>an OUT command runs past its end</source>
        <translation>ein OUT-Befehl reicht über sein Ende hinaus</translation>
    </message>
    <message>
        <source>an IN command asks for %1 bytes</source>
        <translation>ein IN-Befehl fordert %1 Bytes an</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>unbekannter Befehl %1</translation>
    </message>
    <message>
        <source>its replies take %1 bytes</source>
        <translation>seine Antworten belegen %1 Bytes</translation>
    </message>
</context>
<context>
    <name>SimEeprom</name>
    <message>
        <source>A page holds a power of two of bytes up to 128, not %1.</source>
        <translation>Eine Seite fasst eine Zweierpotenz an Bytes bis 128, nicht %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: the count of transfers after the colon is no number.</source>
        <translation>&quot;%1&quot;: Die Anzahl der Übertragungen nach dem Doppelpunkt ist keine Zahl.</translation>
    </message>
    <message>
        <source>The simulator fault &quot;%1&quot; takes no count of transfers.</source>
        <translation>Der Simulatorfehler &quot;%1&quot; nimmt keine Anzahl von Übertragungen.</translation>
    </message>
    <message>
        <source>Unknown simulator fault &quot;%1&quot;. Known faults: absent, write-protected, sda-low, busy, nak-data, and for ch341:sim unplugged, failed-then-gone, silent, silent-then-gone (each optionally :N, after N USB transfers).</source>
        <translation>Unbekannter Simulatorfehler &quot;%1&quot;. Bekannte Fehler: absent, write-protected, sda-low, busy, nak-data und für ch341:sim unplugged, failed-then-gone, silent, silent-then-gone (jeweils wahlweise :N, nach N USB-Übertragungen).</translation>
    </message>
</context>
<context>
    <name>SimEepromFile</name>
    <message>
        <source>The simulated EEPROM file %1 is not a regular file; give the name of a file of 128 bytes, or of one to be created.</source>
        <translation>Die simulierte EEPROM-Datei %1 ist keine reguläre Datei; geben Sie den Namen einer Datei mit 128 Bytes an oder einer, die angelegt werden soll.</translation>
    </message>
    <message>
        <source>Cannot open the simulated EEPROM file %1: %2.</source>
        <translation>Die simulierte EEPROM-Datei %1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>Cannot open the simulated EEPROM file: %1</source>
        <translation>Die simulierte EEPROM-Datei kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>The simulated switch %1 is in use: another program has it open. Try again when it is done.</source>
        <translation>Der simulierte Switch %1 wird verwendet: Ein anderes Programm hat ihn geöffnet. Versuchen Sie es erneut, wenn es fertig ist.</translation>
    </message>
    <message>
        <source>Cannot lock the simulated EEPROM file %1: %2.</source>
        <translation>Die simulierte EEPROM-Datei %1 kann nicht gesperrt werden: %2.</translation>
    </message>
    <message>
        <source>Cannot read the simulated EEPROM file %1: %2.</source>
        <translation>Die simulierte EEPROM-Datei %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The simulated EEPROM file %1 holds more than 128 bytes where it should hold 128.</source>
        <translation>Die simulierte EEPROM-Datei %1 enthält mehr als 128 Bytes, sie sollte 128 enthalten.</translation>
    </message>
    <message>
        <source>The simulated EEPROM file %1 holds %2 bytes where it should hold 128.</source>
        <translation>Die simulierte EEPROM-Datei %1 enthält %2 Bytes, sie sollte 128 enthalten.</translation>
    </message>
    <message>
        <source>Cannot save the simulated EEPROM file %1: %2.</source>
        <translation>Die simulierte EEPROM-Datei %1 kann nicht gespeichert werden: %2.</translation>
    </message>
</context>
<context>
    <name>SimI2cAdapter</name>
    <message>
        <source>the kernel driver at24 holds address 0x50 on %1; unbind it first, so that tarnel does not talk over it</source>
        <translation>der Kerneltreiber at24 belegt die Adresse 0x50 am Adapter %1; lösen Sie ihn zuerst, damit tarnel nicht gleichzeitig mit ihm auf den Bus zugreift</translation>
    </message>
    <message>
        <source>the simulated I2C adapter</source>
        <translation>i2c:sim (simulierter I2C-Adapter)</translation>
    </message>
</context>
<context>
    <name>SimKinds</name>
    <message>
        <source>a simulated switch in memory, or kept in FILE</source>
        <translation>ein simulierter Switch im Speicher oder in der Datei FILE</translation>
    </message>
    <message>
        <source>a simulated switch on an I2C adapter</source>
        <translation>ein simulierter Switch an einem I2C-Adapter</translation>
    </message>
</context>
<context>
    <name>Stamp</name>
    <message>
        <source>--stamp takes REG:LEN or REG:LEN:le (as 16:6), not &quot;%1&quot;.</source>
        <translation>--stamp nimmt REG:LEN oder REG:LEN:le (wie 16:6), nicht &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>--stamp %1: the value takes 1 to %2 registers that end at register %3 at the latest.</source>
        <translation>--stamp %1: der Wert belegt 1 bis %2 Register, die spätestens bei Register %3 enden.</translation>
    </message>
    <message>
        <source>Registers %1 to %2 hold %3.</source>
        <translation>Die Register %1 bis %2 enthalten %3.</translation>
    </message>
</context>
<context>
    <name>StampedWrite</name>
    <message>
        <source>--stamp and --counter are for write and verify.</source>
        <translation>--stamp und --counter gelten für write und verify.</translation>
    </message>
    <message>
        <source>--counter gives the values of --stamp REG:LEN; give both.</source>
        <translation>--counter liefert die Werte für --stamp REG:LEN; geben Sie beide an.</translation>
    </message>
    <message>
        <source>verify --stamp reads the value the switch holds; it takes no --counter.</source>
        <translation>verify --stamp liest den Wert, den der Switch enthält; es nimmt kein --counter.</translation>
    </message>
    <message>
        <source>write --stamp takes the values from --counter SOURCE.</source>
        <translation>write --stamp nimmt die Werte aus --counter QUELLE.</translation>
    </message>
    <message>
        <source>--counter needs a SOURCE: a file or a postgresql:// URI.</source>
        <translation>--counter braucht eine QUELLE: eine Datei oder eine postgresql://-URI.</translation>
    </message>
    <message>
        <source>The value %1 of counter %2 does not fit into %3 registers.</source>
        <translation>Der Wert %1 von Zähler %2 passt nicht in %3 Register.</translation>
    </message>
    <message>
        <source>Stamped registers %1 to %2 with %3.</source>
        <translation>Die Register %1 bis %2 wurden mit %3 gestempelt.</translation>
    </message>
    <message>
        <source>The value %1 is void and never given again, but the counter could not record it: %2</source>
        <translation>Der Wert %1 ist ungültig und wird nie wieder vergeben, aber der Zähler konnte ihn nicht vermerken: %2</translation>
    </message>
    <message>
        <source>The value %1 is void: it is never given again.</source>
        <translation>Der Wert %1 ist ungültig: er wird nie wieder vergeben.</translation>
    </message>
</context>
<context>
    <name>TransferLink</name>
    <message>
        <source>the I2C adapter %1 cannot do combined transfers (it lacks I2C_FUNC_I2C); use another adapter</source>
        <translation>der I2C-Adapter %1 kann keine kombinierten Übertragungen (ihm fehlt I2C_FUNC_I2C); verwenden Sie einen anderen Adapter</translation>
    </message>
    <message>
        <source>the EEPROM did not acknowledge its address 0x50 or a data byte %1 on %2; check the adapter, the cable and that the switch is powered</source>
        <translation>das EEPROM hat seine Adresse 0x50 oder ein Datenbyte nicht %1 am Adapter %2 quittiert; prüfen Sie den Adapter, das Kabel und ob der Switch eingeschaltet ist</translation>
    </message>
    <message>
        <source>the EEPROM did not acknowledge its address 0x50 %1 on %2; check the adapter, the cable and that the switch is powered</source>
        <translation>das EEPROM hat seine Adresse 0x50 nicht %1 am Adapter %2 quittiert; prüfen Sie den Adapter, das Kabel und ob der Switch eingeschaltet ist</translation>
    </message>
    <message>
        <source>the I2C bus on %1 is busy: its data line may be held low; check the adapter and the cable</source>
        <translation>der I2C-Bus am Adapter %1 ist belegt: Seine Datenleitung wird möglicherweise auf Low gehalten; prüfen Sie den Adapter und das Kabel</translation>
    </message>
    <message>
        <source>the EEPROM did not acknowledge a data byte of the page write (those before it may have been written)</source>
        <translation>das EEPROM hat ein Datenbyte des Seitenschreibvorgangs nicht quittiert (die davor wurden möglicherweise geschrieben)</translation>
    </message>
    <message>
        <source>%1 went away during the operation: check that the adapter is still plugged in</source>
        <translation>der Adapter %1 ist während des Vorgangs verschwunden: Prüfen Sie, ob er noch eingesteckt ist</translation>
    </message>
    <message>
        <source>the transfer failed on %1: %2</source>
        <translation>die Übertragung am Adapter %1 ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>adapter offers combined transfers (I2C_FUNC_I2C)</source>
        <translation>Adapter bietet kombinierte Übertragungen (I2C_FUNC_I2C)</translation>
    </message>
    <message>
        <source>no kernel driver holds address 0x50</source>
        <translation>kein Kerneltreiber belegt die Adresse 0x50</translation>
    </message>
    <message>
        <source>EEPROM acknowledges a read of one byte at 0x50</source>
        <translation>EEPROM quittiert das Lesen eines Bytes an 0x50</translation>
    </message>
</context>
<context>
    <name>VcdWriter</name>
    <message>
        <source>Cannot create the trace file %1</source>
        <translation>Die Aufzeichnungsdatei kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>Cannot create the trace file: %1</source>
        <translation>Die Aufzeichnungsdatei kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>Cannot create the trace file %1: %2.</source>
        <translation>Die Aufzeichnungsdatei %1 kann nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>Cannot write the trace file %1: %2.</source>
        <translation>Die Aufzeichnungsdatei %1 kann nicht geschrieben werden: %2.</translation>
    </message>
</context>
<context>
    <name>VerifyReport</name>
    <message>
        <source>%1 differ, %2 listed</source>
        <translation>%1 abweichend, %2 aufgeführt</translation>
    </message>
    <message>
        <source>PASS!</source>
        <translation>BESTANDEN!</translation>
    </message>
</context>
</TS>
