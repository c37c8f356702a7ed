<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Autostart</name>
    <message>
        <source>cannot create the folder %1</source>
        <translation>der Ordner %1 lässt sich nicht anlegen</translation>
    </message>
    <message>
        <source>palvorin is not installed: it is not on PATH</source>
        <translation>palvorin ist nicht installiert: es liegt nicht im PATH</translation>
    </message>
    <message>
        <source>the menu entry&apos;s command is not understood</source>
        <translation>der Befehl des Menüeintrags ist unverständlich</translation>
    </message>
    <message>
        <source>error 0x%1</source>
        <translation>Fehler 0x%1</translation>
    </message>
</context>
<context>
    <name>CurveChart</name>
    <message>
        <source>No readings</source>
        <translation>Keine Messwerte</translation>
    </message>
</context>
<context>
    <name>DesktopNotices</name>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
</context>
<context>
    <name>DeviceFinder</name>
    <message>
        <source>Could not look for devices: no network connection here carries multicast.</source>
        <translation>Die Gerätesuche ist nicht möglich: keine Netzwerkverbindung hier überträgt Multicast.</translation>
    </message>
    <message>
        <source>Could not look for devices: %1.</source>
        <translation>Die Gerätesuche ist nicht möglich: %1.</translation>
    </message>
</context>
<context>
    <name>DeviceLink</name>
    <message>
        <source>Timed out: no response from %1 within %2 s</source>
        <translation>Zeitüberschreitung: keine Antwort von %1 innerhalb von %2 s</translation>
    </message>
    <message>
        <source>Timed out: reply from %1 not complete within %2 s</source>
        <translation>Zeitüberschreitung: Antwort von %1 nicht innerhalb von %2 s vollständig</translation>
    </message>
    <message>
        <source>Reply too large (over 1 MiB) from %1</source>
        <translation>Antwort von %1 zu groß (über 1 MiB)</translation>
    </message>
    <message>
        <source>Another device than %1 answers at %2: the password is not sent</source>
        <translation>Unter %2 antwortet ein anderes Gerät als %1: das Passwort wird nicht gesendet</translation>
    </message>
    <message>
        <source>%1 asks for its password by MD5, where it used SHA-256: the password is not sent</source>
        <translation>%1 fragt sein Passwort mit MD5 ab, wo es SHA-256 verwendet hat: das Passwort wird nicht gesendet</translation>
    </message>
    <message>
        <source>Wrong password for %1</source>
        <translation>Falsches Passwort für %1</translation>
    </message>
    <message>
        <source>Password needed for %1</source>
        <translation>%1 verlangt ein Passwort</translation>
    </message>
    <message>
        <source>No HTTP answer from %1</source>
        <translation>Keine HTTP-Antwort von %1</translation>
    </message>
    <message>
        <source>Host not found: %1</source>
        <translation>Rechner nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Connection refused by %1</source>
        <translation>Verbindung von %1 abgelehnt</translation>
    </message>
    <message>
        <source>Connection closed by %1 before the reply was complete</source>
        <translation>Verbindung von %1 geschlossen, bevor die Antwort vollständig war</translation>
    </message>
    <message>
        <source>Timed out: no response from %1</source>
        <translation>Zeitüberschreitung: keine Antwort von %1</translation>
    </message>
</context>
<context>
    <name>FindDialog</name>
    <message>
        <source>&amp;Use</source>
        <translation>Ü&amp;bernehmen</translation>
    </message>
    <message>
        <source>Find devices</source>
        <translation>Geräte suchen</translation>
    </message>
    <message>
        <source>Devices found</source>
        <translation>Gefundene Geräte</translation>
    </message>
    <message>
        <source>Devices on the local network; Return or a double-click uses the one chosen</source>
        <translation>Geräte im lokalen Netzwerk; die Eingabetaste oder ein Doppelklick übernimmt das gewählte</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Generation</source>
        <translation>Generation</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Puts the chosen device&apos;s address in the address box</source>
        <translation>Trägt die Adresse des gewählten Geräts in das Adressfeld ein</translation>
    </message>
    <message>
        <source>Looking for devices…</source>
        <translation>Geräte werden gesucht …</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>No device found on this network. Type its address instead.</source>
        <translation>In diesem Netzwerk wurde kein Gerät gefunden. Geben Sie stattdessen seine Adresse ein.</translation>
    </message>
    <message>
        <source>Choose your device with Return or a double-click:</source>
        <translation>Wählen Sie Ihr Gerät mit der Eingabetaste oder einem Doppelklick:</translation>
    </message>
</context>
<context>
    <name>FolderLock</name>
    <message>
        <source>Palvorin already runs in the folder %1.</source>
        <translation>Palvorin läuft bereits im Ordner %1.</translation>
    </message>
</context>
<context>
    <name>HistoryView</name>
    <message>
        <source>%1 kWh</source>
        <translation>%1 kWh</translation>
    </message>
    <message>
        <source>%1 W</source>
        <translation>%1 W</translation>
    </message>
    <message>
        <source> (%1/kWp)</source>
        <extracomment>A plant&apos;s yield beside its energy: &quot; (3.14 kWh/kWp)&quot;.</extracomment>
        <translation> (%1/kWp)</translation>
    </message>
    <message>
        <source>, %1 of %2 days recorded</source>
        <translation>, %1 von %2 Tagen erfasst</translation>
    </message>
    <message>
        <source>%1/kWh</source>
        <translation>%1/kWh</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>%1, worth %2 at %3</source>
        <translation>%1, Wert %2 bei %3</translation>
    </message>
    <message>
        <source>%1, worth %2: %3 used at home at %4, %5 fed in at %6</source>
        <extracomment>&quot;2.50 kWh, worth 0.62 €: 1.75 kWh used at home at 0.32 €/kWh, 0.75 kWh fed in at 0.08 €/kWh&quot;</extracomment>
        <translation>%1, Wert %2: %3 selbst verbraucht zu %4, %5 eingespeist zu %6</translation>
    </message>
    <message>
        <source>%1–%2</source>
        <translation>%1–%2</translation>
    </message>
    <message>
        <source>no readings %1</source>
        <translation>keine Messwerte %1</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Gestern</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>nicht erfasst</translation>
    </message>
    <message>
        <source>%1, of which %2 while no readings were taken</source>
        <translation>%1, davon %2, während keine Messwerte erfasst wurden</translation>
    </message>
    <message>
        <source>%1: %2, no readings</source>
        <translation>%1: %2, keine Messwerte</translation>
    </message>
    <message>
        <source>%1: %2, no peak</source>
        <translation>%1: %2, keine Spitze</translation>
    </message>
    <message>
        <source>%1: %2, peak %3 at %4</source>
        <translation>%1: %2, Spitze %3 um %4</translation>
    </message>
    <message>
        <source>%1: not recorded</source>
        <translation>%1: nicht erfasst</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A point of the day&apos;s curve: &quot;12:40: 620 W&quot;.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Total: %1</source>
        <translation>Summe: %1</translation>
    </message>
    <message>
        <source>Average per recorded day: %1</source>
        <translation>Durchschnitt pro erfasstem Tag: %1</translation>
    </message>
    <message>
        <source>Best day: %1 on %2</source>
        <translation>Bester Tag: %1 am %2</translation>
    </message>
    <message>
        <source>Worst day: %1 on %2</source>
        <translation>Schwächster Tag: %1 am %2</translation>
    </message>
    <message>
        <source>Peak power: %1 at %2 on %3</source>
        <translation>Spitzenleistung: %1 um %2 am %3</translation>
    </message>
    <message>
        <source>%1 up to %2</source>
        <extracomment>&quot;July 2025 up to 08.07.25&quot;: the part of a period a year ago that compares with today&apos;s.</extracomment>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>%1 · %2: not recorded</source>
        <translation>%1 · %2: nicht erfasst</translation>
    </message>
    <message>
        <source>, %1 %</source>
        <translation>, %1 %</translation>
    </message>
    <message>
        <source>%1 · %2: %3%4</source>
        <translation>%1 · %2: %3%4</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Energy (kWh)</source>
        <translation>Ertrag (kWh)</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>&amp;Previous day</source>
        <translation>&amp;Vorheriger Tag</translation>
    </message>
    <message>
        <source>&amp;Next day</source>
        <translation>&amp;Nächster Tag</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Gestern</translation>
    </message>
    <message>
        <source>This month</source>
        <translation>Dieser Monat</translation>
    </message>
    <message>
        <source>This year</source>
        <translation>Dieses Jahr</translation>
    </message>
    <message>
        <source>All recorded</source>
        <translation>Insgesamt</translation>
    </message>
    <message>
        <source>Best day</source>
        <translation>Bester Tag</translation>
    </message>
    <message>
        <source>Palvorin History</source>
        <translation>Palvorin-Verlauf</translation>
    </message>
    <message>
        <source>Power over the day</source>
        <translation>Leistung über den Tag</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Währung</translation>
    </message>
    <message>
        <source>Price per kWh:</source>
        <translation>Preis pro kWh:</translation>
    </message>
    <message>
        <source>Share used at home:</source>
        <translation>Eigenverbrauchsanteil:</translation>
    </message>
    <message>
        <source>Paid per kWh fed in:</source>
        <translation>Vergütung pro eingespeister kWh:</translation>
    </message>
    <message>
        <source>Plant size:</source>
        <translation>Anlagengröße:</translation>
    </message>
    <message>
        <source> on %1</source>
        <extracomment>The best day&apos;s energy is followed by &quot; on &lt;date&gt;&quot;.</extracomment>
        <translation> am %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <extracomment>A month&apos;s bar beside the same month a year earlier: &quot;June 2024: … · June 2023: …&quot;.</extracomment>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>T&amp;oday</source>
        <translation>&amp;Heute</translation>
    </message>
    <message>
        <source>E&amp;xport day…</source>
        <translation>Tag e&amp;xportieren …</translation>
    </message>
    <message>
        <source>P&amp;revious period</source>
        <translation>Vo&amp;rheriger Zeitraum</translation>
    </message>
    <message>
        <source>Nex&amp;t period</source>
        <translation>Nä&amp;chster Zeitraum</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Exportieren …</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Days of the month</source>
        <translation>Tage des Monats</translation>
    </message>
    <message>
        <source>Months of the year</source>
        <translation>Monate des Jahres</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>Day of the curve</source>
        <translation>Tag der Kurve</translation>
    </message>
    <message>
        <source>Shows today&apos;s curve and period</source>
        <translation>Zeigt die heutige Kurve und den aktuellen Zeitraum</translation>
    </message>
    <message>
        <source>Power over the day: %1</source>
        <translation>Leistung über den Tag: %1</translation>
    </message>
    <message>
        <source>Export the day&apos;s readings</source>
        <translation>Die Messwerte des Tages exportieren</translation>
    </message>
    <message>
        <source>Export the period&apos;s days</source>
        <translation>Die Tage des Zeitraums exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Exported to %1.</source>
        <translation>Nach %1 exportiert.</translation>
    </message>
    <message>
        <source>Not exported to %1: %2</source>
        <translation>Nicht nach %1 exportiert: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Shelly IP:</source>
        <translation>Shelly-IP:</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Aktuell</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation>Startet …</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Production flows &amp;back through the meter</source>
        <translation>Erzeugung fließt &amp;rückwärts durch den Zähler</translation>
    </message>
    <message>
        <source>Device address</source>
        <translation>Geräteadresse</translation>
    </message>
    <message>
        <source>IP address or host name of the metered switch</source>
        <translation>IP-Adresse oder Rechnername der Messsteckdose</translation>
    </message>
    <message>
        <source>Looks for devices on the local network</source>
        <translation>Sucht Geräte im lokalen Netzwerk</translation>
    </message>
    <message>
        <source>Current power</source>
        <translation>Aktuelle Leistung</translation>
    </message>
    <message>
        <source>Power the device measures now, in watts</source>
        <translation>Leistung, die das Gerät jetzt misst, in Watt</translation>
    </message>
    <message>
        <source>Energy today</source>
        <translation>Ertrag heute</translation>
    </message>
    <message>
        <source>Energy counted since the first poll of the day, in watt-hours</source>
        <translation>Seit der ersten Abfrage des Tages gezählte Energie, in Wattstunden</translation>
    </message>
    <message>
        <source>Opens the production logs in the text editor</source>
        <translation>Öffnet die Ertragsprotokolle im Texteditor</translation>
    </message>
    <message>
        <source>Opens the production history: the day&apos;s curve, past days and months, sums</source>
        <translation>Öffnet den Ertragsverlauf: die Tageskurve, vergangene Tage und Monate, Summen</translation>
    </message>
    <message>
        <source>Ticked, the day counts the energy the meter counts as flowing back (a negative power) as the plant&apos;s production. Palvorin ticks it itself at the first reading of 5 W either way; turn it where the plug is wired the other way.</source>
        <translation>Angehakt zählt der Tag die Energie, die der Zähler als rückwärts fließend misst (eine negative Leistung), als Erzeugung des Balkonkraftwerks. Palvorin hakt es beim ersten Messwert von 5 W in die eine oder andere Richtung selbst an; ändern Sie es, wo der Stecker andersherum angeschlossen ist.</translation>
    </message>
    <message>
        <source>%1: press Return in the address box to enter it</source>
        <translation>%1: drücken Sie die Eingabetaste im Adressfeld, um es einzugeben</translation>
    </message>
    <message>
        <source>Loaded. Polling every %1s.</source>
        <translation>Geladen. Abfrage alle %1 s.</translation>
    </message>
    <message>
        <source>%1 Polling every %2s.</source>
        <translation>%1 Abfrage alle %2 s.</translation>
    </message>
    <message>
        <source>%1
Device: %2</source>
        <translation>%1
Gerät: %2</translation>
    </message>
    <message>
        <source>Status: %1</source>
        <translation>Status: %1</translation>
    </message>
    <message>
        <source>%1 (password not remembered: %2)</source>
        <translation>%1 (Passwort nicht gespeichert: %2)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Could not open %1: %2.</source>
        <translation>%1 ließ sich nicht öffnen: %2.</translation>
    </message>
    <message>
        <source>Could not open %1 or %2: %3.</source>
        <translation>%1 oder %2 ließ sich nicht öffnen: %3.</translation>
    </message>
    <message>
        <source>Plant on the meter&apos;s s&amp;econd channel</source>
        <translation>Anlage am z&amp;weiten Kanal des Zählers</translation>
    </message>
    <message>
        <source>For meters with two clamps (Pro EM, EM Gen3): ticked, the day counts the second channel&apos;s energy, else the first&apos;s.</source>
        <translation>Für Zähler mit zwei Stromzangen (die EM-Zähler): angehakt zählt der Tag den Ertrag des zweiten Kanals, sonst den des ersten.</translation>
    </message>
</context>
<context>
    <name>NoticeRules</name>
    <message>
        <source>Plug unreachable</source>
        <translation>Stecker nicht erreichbar</translation>
    </message>
    <message>
        <source>Palvorin cannot reach the plug at %1 since %2 (%3)</source>
        <translation>Palvorin erreicht den Stecker unter %1 seit %2 nicht (%3)</translation>
    </message>
    <message>
        <source>Plug reachable again</source>
        <translation>Stecker wieder erreichbar</translation>
    </message>
    <message numerus="yes">
        <source>The plug answers again after %n min; the energy of the meantime is counted</source>
        <translation>
            <numerusform>Der Stecker antwortet wieder nach %n Min.; der Ertrag der Zwischenzeit wird gezählt</numerusform>
            <numerusform>Der Stecker antwortet wieder nach %n Min.; der Ertrag der Zwischenzeit wird gezählt</numerusform>
        </translation>
    </message>
    <message>
        <source>Production stopped</source>
        <translation>Erzeugung gestoppt</translation>
    </message>
    <message>
        <source>The plant has produced nothing since %1, in daylight: on recent days it produced until about %2.</source>
        <translation>Das Balkonkraftwerk erzeugt seit %1 nichts mehr, bei Tageslicht: an den letzten Tagen erzeugte es bis etwa %2.</translation>
    </message>
    <message>
        <source>Today: %1, peak %2 at %3</source>
        <translation>Heute: %1, Spitze %2 um %3</translation>
    </message>
    <message>
        <source>Today: %1, peak %2 at %3 — the best day this month</source>
        <translation>Heute: %1, Spitze %2 um %3 – der beste Tag dieses Monats</translation>
    </message>
    <message>
        <source>Today: %1, peak %2 at %3 — the %4 best day this month</source>
        <extracomment>%4 is the day&apos;s place among the month&apos;s days: &quot;the 2nd best day this month&quot;</extracomment>
        <translation>Heute: %1, Spitze %2 um %3 – der %4 beste Tag dieses Monats</translation>
    </message>
    <message>
        <source>Today&apos;s production</source>
        <translation>Heutiger Ertrag</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1.</translation>
    </message>
</context>
<context>
    <name>PasswordDialog</name>
    <message>
        <source>Wrong password: try again</source>
        <translation>Falsches Passwort: bitte erneut versuchen</translation>
    </message>
    <message>
        <source>&amp;Remember in the keyring</source>
        <translation>Im Schlüsselbund &amp;merken</translation>
    </message>
    <message>
        <source>Device password</source>
        <translation>Gerätepasswort</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>no answer yet</source>
        <translation>noch keine Antwort</translation>
    </message>
    <message>
        <source>The device at %1 asks for the &amp;password of its user %2:</source>
        <translation>Das Gerät unter %1 fragt nach dem &amp;Passwort seines Benutzers %2:</translation>
    </message>
    <message>
        <source>Keeps the password in the system keyring for the next start</source>
        <translation>Bewahrt das Passwort für den nächsten Start im Schlüsselbund des Systems auf</translation>
    </message>
    <message>
        <source>No keyring answers (%1): the password is kept only until Palvorin ends.</source>
        <translation>Kein Schlüsselbund antwortet (%1): das Passwort wird nur bis zum Beenden von Palvorin aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>PollCycle</name>
    <message>
        <source>State file could not be read: %1.</source>
        <translation>Die Zustandsdatei ließ sich nicht lesen: %1.</translation>
    </message>
    <message>
        <source>Unreadable state file could not be kept aside: %1.</source>
        <translation>Die unlesbare Zustandsdatei ließ sich nicht beiseitelegen: %1.</translation>
    </message>
    <message>
        <source>Enter an IP address.</source>
        <translation>Geben Sie eine IP-Adresse ein.</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Leave the user and password out of the address: the password is asked for when the device wants one</source>
        <translation>Lassen Sie Benutzer und Passwort aus der Adresse weg: nach dem Passwort wird gefragt, wenn das Gerät eines verlangt</translation>
    </message>
    <message>
        <source>Only plain HTTP addresses are polled</source>
        <translation>Nur einfache HTTP-Adressen werden abgefragt</translation>
    </message>
    <message>
        <source>Not a valid device address</source>
        <translation>Keine gültige Geräteadresse</translation>
    </message>
    <message>
        <source>The device at this address does not say what it is: no Shelly device answers there</source>
        <translation>Das Gerät unter dieser Adresse sagt nicht, was es ist: dort antwortet kein Shelly-Gerät</translation>
    </message>
    <message>
        <source>The device&apos;s status could not be read</source>
        <translation>Der Status des Geräts ließ sich nicht lesen</translation>
    </message>
    <message>
        <source>This device measures no power</source>
        <translation>Dieses Gerät misst keine Leistung</translation>
    </message>
    <message>
        <source>This first-generation device has a password, which it would take in clear: it is not polled. Turn its password off to have it polled</source>
        <translation>Dieses Gerät der ersten Generation hat ein Passwort, das es im Klartext annähme: es wird nicht abgefragt. Schalten Sie sein Passwort ab, damit es abgefragt wird</translation>
    </message>
    <message>
        <source>The reply holds no reading of the device&apos;s meter</source>
        <translation>Die Antwort enthält keinen Messwert des Gerätezählers</translation>
    </message>
    <message>
        <source>No valid &quot;total&quot; energy counter in the reply</source>
        <translation>Kein gültiger Energiezähler &quot;total&quot; in der Antwort</translation>
    </message>
    <message>
        <source>Last update: </source>
        <translation>Letzte Aktualisierung: </translation>
    </message>
    <message>
        <source> (nothing counted until the plant&apos;s direction shows: a reading of %1 W either way)</source>
        <translation> (nichts gezählt, bis die Richtung des Balkonkraftwerks feststeht: ein Messwert von %1 W in die eine oder andere Richtung)</translation>
    </message>
    <message>
        <source> (state not saved: state file could not be read: %1)</source>
        <translation> (Zustand nicht gespeichert: die Zustandsdatei ließ sich nicht lesen: %1)</translation>
    </message>
    <message>
        <source> (state not saved: unreadable state file not kept aside: %1)</source>
        <translation> (Zustand nicht gespeichert: die unlesbare Zustandsdatei wurde nicht beiseitegelegt: %1)</translation>
    </message>
    <message>
        <source> (state not saved: %1)</source>
        <translation> (Zustand nicht gespeichert: %1)</translation>
    </message>
    <message>
        <source>Poll failed at %1: %2</source>
        <translation>Abfrage um %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>Unreadable state file kept as %1.</source>
        <translation>Unlesbare Zustandsdatei als %1 aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>ProductionHistory</name>
    <message>
        <source>Days file could not be read: %1.</source>
        <translation>Die Tagesdatei ließ sich nicht lesen: %1.</translation>
    </message>
    <message>
        <source>Unreadable days file could not be kept aside: %1.</source>
        <translation>Die unlesbare Tagesdatei ließ sich nicht beiseitelegen: %1.</translation>
    </message>
    <message>
        <source> (days file not saved: %1)</source>
        <translation> (Tagesdatei nicht gespeichert: %1)</translation>
    </message>
    <message>
        <source> (reading not kept: %1)</source>
        <translation> (Messwert nicht aufbewahrt: %1)</translation>
    </message>
    <message>
        <source>days file could not be read: %1</source>
        <translation>die Tagesdatei ließ sich nicht lesen: %1</translation>
    </message>
    <message>
        <source>unreadable days file not kept aside: %1</source>
        <translation>unlesbare Tagesdatei nicht beiseitegelegt: %1</translation>
    </message>
    <message>
        <source>Unreadable days file kept as %1.</source>
        <translation>Unlesbare Tagesdatei als %1 aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>RememberedPasswords</name>
    <message>
        <source>none is in use</source>
        <translation>keiner ist in Gebrauch</translation>
    </message>
</context>
<context>
    <name>TextEditor</name>
    <message>
        <source>no text editor could be started</source>
        <translation>kein Texteditor ließ sich starten</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>&amp;Show window</source>
        <translation>Fenster an&amp;zeigen</translation>
    </message>
    <message>
        <source>S&amp;tart at sign-in</source>
        <translation>Bei der Anmeldung s&amp;tarten</translation>
    </message>
    <message>
        <source>H&amp;istory</source>
        <translation>&amp;Verlauf</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>&amp;Details</translation>
    </message>
    <message>
        <source>Ticked, Palvorin starts at sign-in in the folder it works in now: %1</source>
        <translation>Angehakt startet Palvorin bei der Anmeldung in dem Ordner, in dem es jetzt arbeitet: %1</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Hide window</source>
        <translation>Fenster &amp;ausblenden</translation>
    </message>
    <message>
        <source>Palvorin keeps running</source>
        <translation>Palvorin läuft weiter</translation>
    </message>
    <message>
        <source>Palvorin goes on polling here. Click its icon to show the window, or choose Quit in its menu to end it.</source>
        <translation>Palvorin fragt hier weiter ab. Klicken Sie auf sein Symbol, um das Fenster zu zeigen, oder wählen Sie Beenden in seinem Menü, um es zu beenden.</translation>
    </message>
    <message>
        <source>%1 · today %2</source>
        <translation>%1 · heute %2</translation>
    </message>
    <message>
        <source>Palvorin · today %1</source>
        <translation>Palvorin · heute %1</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>Gerät: %1</translation>
    </message>
    <message>
        <source>Start at sign-in</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Could not set Palvorin to start at sign-in: %1</source>
        <translation>Palvorin ließ sich nicht für den Start bei der Anmeldung einrichten: %1</translation>
    </message>
    <message>
        <source>Could not stop Palvorin starting at sign-in: %1</source>
        <translation>Der Start von Palvorin bei der Anmeldung ließ sich nicht abschalten: %1</translation>
    </message>
    <message>
        <source>&amp;Notify me when…</source>
        <extracomment>The submenu of the notices that can be switched on and off</extracomment>
        <translation>Be&amp;nachrichtigen, wenn …</translation>
    </message>
    <message>
        <source>The plug cannot be &amp;reached</source>
        <translation>der Stecker nicht &amp;erreichbar ist</translation>
    </message>
    <message>
        <source>Production &amp;stops in daylight</source>
        <translation>die Erzeugung bei Tageslicht &amp;stoppt</translation>
    </message>
    <message>
        <source>The day&apos;s production has &amp;ended, with its yield</source>
        <translation>die Erzeugung des Tages &amp;endet, mit ihrem Ertrag</translation>
    </message>
</context>
</TS>
