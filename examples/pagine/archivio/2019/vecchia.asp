<%@ Language="VBScript" %>
<html><body>
<p>Archivio 2019: <a href="mailto:archivio@example.org?cc=storico@example.org&amp;subject=Archivio">archivio</a></p>
<p>Non più attivo: <a href="mailto:vecchio@example.net">vecchio@example.net</a></p>
</body></html>
