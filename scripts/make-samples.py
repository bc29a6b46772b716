#!/usr/bin/env python3
"""Writes the sample game folder: samples/LEXOR.lexor (the active dictionary)
and two dictionaries in samples/Dizionari, Originale.lexor and its modified
copy Modificato.lexor. The words are in no order and some are repeated, so
both the comparison and the optimiser have work to do. Files are in the
dictionary layout: Windows-1252 bytes, CR LF after every line. The results are
committed; run this only to change them. The output is the same on every run."""

import pathlib
import random

WORDS = """
abete acqua aereo agosto albero alba allegro alto amico amore anatra ancora
anello angolo anima anno ape aprile arancia argento aria armadio arte asino
autunno avena azzurro bacio bagno balena bambino banco barca basso bello
bicchiere bosco bottiglia braccio bruno buio burro cacao caldo calza camera
camino campana campo cane canto capra carta casa castello cavallo cena cervo
chiave cielo ciliegia cipolla collina colore coltello coniglio coperta corda
corno corpo cortile cucina cuore cuscino dado dente destra dito dolce domenica
donna drago erba estate fagiolo falco farfalla farina fata febbraio fegato
ferro festa fico figlio filo finestra fiore fiume foglia fontana forchetta
formica forno fragola fratello freddo fumo fungo gabbia gallina gatto gelato
gennaio ghiaccio giallo giardino ginocchio giocattolo giorno giugno gomma
grano grillo guanto isola lago lampada lana latte lavagna legno leone lepre
letto libro limone lingua luglio luna lupo maggio maglia mano mare marzo
matita mela melone mercato miele minestra montagna mulino muro naso nave
neve nido noce nonna nonno notte nuvola occhio olio ombra ombrello onda
orecchio orso orto ottobre pace padre paese pagina pane panino parola pasta
pecora penna pentola pepe pera pesce piatto pietra pioggia pizza pollo ponte
porta pozzo prato quaderno quadro radice ragno rana ramo re regina riso
rosa rosso ruota sale salto sasso scala scarpa scuola secchio sedia sera
settembre sole sorella specchio spiaggia stella strada tavolo tazza teatro
tempo terra tetto tigre topo torre treno uccello uovo uva vacca valle vaso
vento verde vetro vigna vino viola vite volpe zaino zampa zucca zucchero
casetta cagnolino gattino fiorellino
città perché caffè più però virtù università libertà papà gioventù così
già giù tè né lunedì martedì mercoledì giovedì venerdì qualità società
verità felicità età metà bontà pietà novità tribù perciò
""".split()

REMOVED = """asino bruno calza corno dado fegato grillo gomma lavagna mulino pozzo
ragno sasso secchio vacca vigna zampa tribù perciò novità""".split()

ADDED = """acero aquila biscotto cammello canguro delfino elefante fenicottero
giraffa koala lucertola pinguino scoiattolo tartaruga zebra
ventaglio armonia dolcezza pesca lampone
ciò lassù laggiù quaggiù caffè""".split()


def write(path, words):
    lines = ["Lexor Dictionary Volume", str(len(words))] + words
    data = "".join(line + "\r\n" for line in lines).encode("cp1252")
    path.write_bytes(data)


def main():
    rng = random.Random(1532)
    original = WORDS + rng.sample(WORDS, 12)  # a few repeats
    rng.shuffle(original)

    modified = [w for w in original if w not in REMOVED] + ADDED + rng.sample(ADDED, 4)
    rng.shuffle(modified)

    samples = pathlib.Path(__file__).resolve().parent.parent / "samples"
    (samples / "Dizionari").mkdir(parents=True, exist_ok=True)
    write(samples / "Dizionari" / "Originale.lexor", original)
    write(samples / "Dizionari" / "Modificato.lexor", modified)
    write(samples / "LEXOR.lexor", original)


if __name__ == "__main__":
    main()
