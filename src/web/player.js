// The player of an exported Mind Prism quiz: plays the quiz in the page's
// data by the program's own rules (src/quiz/navigator.cpp, held to it by
// tests/web's conformance walks) and shows it. Quiz texts are only ever set
// as text, never read as markup.
'use strict';
(function () {
  var ENTRY = '1001';
  var END = '0';

  var data = JSON.parse(document.getElementById('quiz-data').textContent);
  var editions = data.editions.map(function (raw) {
    var questions = new Map();
    raw.questions.forEach(function (q) {
      questions.set(q[0], {
        id: q[0],
        text: q[1],
        answers: q[2].map(function (a) { return { text: a[0], target: a[1], result: a[2] }; }),
        progress: q[3]
      });
    });
    return {
      lang: raw.lang, htmlLang: raw.htmlLang, name: raw.name, title: raw.title, words: raw.words,
      questions: questions, results: new Map(raw.results), catalogue: raw.catalogue
    };
  });

  function byId(id) { return document.getElementById(id); }

  // ---- The rules, as the program's navigator has them.
  // Where the player stands, by question IDs, so that a switch of language
  // keeps it: `back` holds each question's back link (the question it was
  // last reached from), `notice` the target that named no question.
  var edition = editions[data.shown];
  var play;
  function freshPlay() {
    return { current: null, previous: null, back: new Map(), answered: 0, notice: null };
  }

  // The question an ID names, or null; an empty back link leads nowhere.
  function find(id) {
    return typeof id === 'string' && id !== '' && edition.questions.has(id) ? id : null;
  }

  // Shows the entry question; without one nothing changes. The way back
  // stays: Prev after Reset goes where it would have gone before.
  function start() {
    if (find(ENTRY) === null) return false;
    play.current = ENTRY;
    play.answered = 0;
    return true;
  }

  function next(choice) {
    var question = play.current === null ? null : edition.questions.get(play.current);
    if (!question || choice < 0 || choice >= question.answers.length) return { kind: 'none' };
    play.previous = play.current;
    var answer = question.answers[choice];
    if (answer.target === END) return { kind: 'ended', answer: choice };
    var found = find(answer.target);
    if (found === null) return { kind: 'stayed', target: answer.target };
    play.back.set(found, play.current);
    play.current = found;
    play.answered++;
    return { kind: 'moved' };
  }

  function prev() {
    var back = play.previous;
    if (back === null) return false;
    // After an end or an answer leading nowhere, Prev first shows the same
    // question again: that takes nothing back.
    if (back !== play.current && play.answered > 0) play.answered--;
    play.current = back;
    play.previous = find(play.back.get(back));
    return true;
  }

  // printf's %d and %s (also numbered, %2$s), as the program formats them.
  function format(pattern, values) {
    var following = 0;
    return pattern.replace(/%(?:(\d+)\$)?([ds%])/g, function (all, number, kind) {
      if (kind === '%') return '%';
      return String(values[number ? Number(number) - 1 : following++]);
    });
  }

  // The status line: the message about a target that names no question,
  // else the place and how far the ends are.
  function statusText() {
    var words = edition.words;
    if (play.notice !== null) return format(words.missingTarget, [play.notice]);
    var question = play.current === null ? null : edition.questions.get(play.current);
    if (!question || !question.progress) return '';
    var place = play.answered + 1;
    var fewest = question.progress[0];
    var most = question.progress[1];
    if (most === null) return format(words.progressOpen, [place, fewest]);
    if (most === fewest) return format(words.progressExact, [place, fewest]);
    return format(words.progressRange, [place, fewest, most]);
  }

  // ---- The page.
  // The ending on show: { question, answer } while the result is shown.
  var ending = null;

  function radios() { return byId('choices').querySelectorAll('input'); }

  function selected() {
    var all = radios();
    for (var i = 0; i < all.length; i++) if (all[i].checked) return i;
    return -1;
  }

  function showQuestion(selection) {
    var question = edition.questions.get(play.current);
    byId('question-text').textContent = question.text;
    var choices = byId('choices');
    choices.textContent = '';
    question.answers.forEach(function (answer, index) {
      var label = document.createElement('label');
      label.className = 'choice';
      var input = document.createElement('input');
      input.type = 'radio';
      input.name = 'answer';
      input.value = String(index);
      input.checked = index === selection;
      var text = document.createElement('span');
      text.textContent = answer.text;
      label.appendChild(input);
      label.appendChild(text);
      choices.appendChild(label);
    });
    byId('question').hidden = false;
  }

  // The focus goes to the question on screen: its chosen answer, so that
  // the arrow keys choose and Enter goes on, or its text when it has none.
  // A replayed walk leaves it, which would cost it nearly all its time.
  var moveFocus = true;
  function focusQuestion() {
    if (!moveFocus) return;
    var all = radios();
    var chosen = selected();
    if (chosen >= 0) all[chosen].focus();
    else byId('question-text').focus();
  }

  function showStatus() {
    var text = statusText();
    // Set only on a change: each change is announced once.
    if (byId('status').textContent !== text) byId('status').textContent = text;
  }

  // The answer that ended the quiz, then what it means: the author's text
  // for its result, else the quiz's catalogue of results, else nothing.
  function showResult() {
    var answer = edition.questions.get(ending.question).answers[ending.answer];
    var words = edition.words;
    byId('result-heading').textContent = words.result;
    byId('result-answer').textContent = answer.text;
    var described = edition.results.has(answer.result);
    byId('result-name').textContent = described ? answer.result : '';
    byId('result-name').hidden = !described;
    var text = described ? edition.results.get(answer.result) : edition.catalogue;
    byId('result-text').textContent = text;
    byId('result-text').hidden = text === '';
    byId('copy-note').textContent = '';
    byId('question').hidden = true;
    byId('result').hidden = false;
  }

  function closeResult() {
    ending = null;
    byId('result').hidden = true;
    byId('question').hidden = play.current === null;
  }

  function onNext() {
    var step = next(selected());
    play.notice = step.kind === 'stayed' ? step.target : null;
    if (step.kind === 'moved') {
      showQuestion(0);
      focusQuestion();
    } else if (step.kind === 'ended') {
      ending = { question: play.current, answer: step.answer };
      showResult();
      if (moveFocus) byId('result-heading').focus();
    }
    showStatus();
  }

  function onPrev() {
    if (!prev()) return;
    play.notice = null;
    closeResult();
    showQuestion(0);
    focusQuestion();
    showStatus();
  }

  function onReset() {
    play.notice = null;
    if (start()) {
      closeResult();
      showQuestion(0);
      focusQuestion();
    }
    showStatus();
  }

  function onOk() {
    closeResult();
    focusQuestion();
  }

  // The quiz's title and the result's name, as plain text.
  function resultSummary() {
    var answer = edition.questions.get(ending.question).answers[ending.answer];
    return edition.title !== '' ? edition.title + '\n' + answer.result : answer.result;
  }

  function copyBySelection(text) {
    var area = document.createElement('textarea');
    area.value = text;
    area.setAttribute('readonly', '');
    area.style.position = 'fixed';
    area.style.opacity = '0';
    document.body.appendChild(area);
    area.select();
    var copied = false;
    try { copied = document.execCommand('copy'); } catch (e) { copied = false; }
    document.body.removeChild(area);
    return copied;
  }

  function onCopy() {
    var text = resultSummary();
    var words = edition.words;
    var said = function (copied) {
      byId('copy-note').textContent = copied ? words.copied : words.copyFailed;
    };
    if (navigator.clipboard && navigator.clipboard.writeText) {
      navigator.clipboard.writeText(text).then(function () { said(true); },
                                                function () { said(copyBySelection(text)); });
    } else {
      said(copyBySelection(text));
    }
  }

  // Puts the page's own words, title and language in edition `index`'s.
  function showEdition(index) {
    edition = editions[index];
    var words = edition.words;
    document.documentElement.lang = edition.htmlLang;
    document.title = edition.title !== '' ? edition.title : words.appName;
    byId('title').textContent = edition.title;
    byId('title').hidden = edition.title === '';
    byId('next').textContent = words.next;
    byId('prev').textContent = words.prev;
    byId('reset').textContent = words.reset;
    byId('result-reset').textContent = words.reset;
    byId('ok').textContent = words.ok;
    byId('copy').textContent = words.copy;
    var languages = byId('languages');
    languages.setAttribute('aria-label', words.language);
    languages.querySelectorAll('button').forEach(function (button, i) {
      button.setAttribute('aria-pressed', String(i === index));
    });
  }

  // Another language: the player stays where they are, as the program
  // keeps a player's place when the quiz file changes; a question the
  // other edition lacks starts the quiz again.
  function switchEdition(index) {
    var chosen = selected();
    showEdition(index);
    play.notice = null;
    if (play.current !== null && find(play.current) === null) {
      play.previous = null;
      play.current = null;
      ending = null;
      start();
      chosen = 0;
    } else {
      play.previous = find(play.previous);
    }
    if (ending !== null) {
      var answer = edition.questions.get(ending.question).answers[ending.answer];
      if (!answer || answer.target !== END) ending = null;
    }
    showPlace(chosen);
    showStatus();
  }

  function showPlace(selection) {
    byId('empty').hidden = play.current !== null;
    byId('empty').textContent = play.current === null ? format(edition.words.noEntry, [ENTRY]) : '';
    if (play.current === null) {
      byId('question').hidden = true;
      byId('result').hidden = true;
      return;
    }
    var count = edition.questions.get(play.current).answers.length;
    showQuestion(selection >= 0 && selection < count ? selection : 0);
    if (ending !== null) showResult();
    else closeResult();
  }

  // Opens the quiz as a new player: at the entry, no way back.
  function open(index) {
    play = freshPlay();
    ending = null;
    showEdition(index);
    start();
    showPlace(0);
    showStatus();
  }

  // The edition of the first language the browser asks for that the quiz
  // has (whole, "zh-CN", or by its language alone, "en-US" reads "en"),
  // else the one exported.
  function preferredEdition() {
    var asked = navigator.languages && navigator.languages.length ? navigator.languages
                                                                 : [navigator.language || ''];
    for (var i = 0; i < asked.length; i++) {
      var tag = String(asked[i]).replace(/-/g, '_').toLowerCase();
      var base = tag.split('_')[0];
      var whole = -1, plain = -1, related = -1;
      editions.forEach(function (e, index) {
        var lang = e.lang.toLowerCase();
        if (lang === tag && whole < 0) whole = index;
        if (lang === base && plain < 0) plain = index;
        if (lang.split('_')[0] === base && related < 0) related = index;
      });
      if (whole >= 0) return whole;
      if (plain >= 0) return plain;
      if (related >= 0) return related;
    }
    return data.shown;
  }

  function buildLanguageSwitch() {
    var languages = byId('languages');
    if (editions.length < 2) return;
    editions.forEach(function (e, index) {
      var button = document.createElement('button');
      button.type = 'button';
      button.lang = e.htmlLang;
      button.textContent = e.name;
      button.addEventListener('click', function () {
        if (editions[index] !== edition) switchEdition(index);
      });
      languages.appendChild(button);
    });
    languages.hidden = false;
  }

  byId('next').addEventListener('click', onNext);
  byId('prev').addEventListener('click', onPrev);
  byId('reset').addEventListener('click', onReset);
  byId('result-reset').addEventListener('click', onReset);
  byId('ok').addEventListener('click', onOk);
  byId('copy').addEventListener('click', onCopy);
  // Enter on an answer goes on, as Next does.
  byId('choices').addEventListener('keydown', function (event) {
    if (event.key === 'Enter' && event.target.name === 'answer') {
      event.preventDefault();
      onNext();
    }
  });

  buildLanguageSwitch();
  open(preferredEdition());

  // For tests: plays a walk as a player would press the buttons, from a
  // fresh start in edition `lang`, and tells after each step where the
  // player is, what the status line says and which answer's result is on
  // show. Steps: an answer's index (-1: none chosen) then Next, 'p' Prev,
  // 'r' Reset; a result on show is closed with OK first. The focus stays
  // where it is meanwhile.
  window.mindPrismReplay = function (lang, steps) {
    var index = editions.findIndex(function (e) { return e.lang === lang; });
    if (index < 0) throw new Error('no edition ' + lang);
    moveFocus = false;
    open(index);
    var record = function () {
      return {
        q: play.current,
        message: byId('status').textContent,
        result: ending !== null ? byId('result-answer').textContent : null,
        described: ending !== null && !byId('result-name').hidden
          ? [byId('result-name').textContent, byId('result-text').textContent] : null
      };
    };
    var seen = [record()];
    steps.forEach(function (step) {
      if (ending !== null) byId('ok').click();
      if (step === 'p') byId('prev').click();
      else if (step === 'r') byId('reset').click();
      else {
        if (step >= 0) radios()[step].click();
        byId('next').click();
      }
      seen.push(record());
    });
    moveFocus = true;
    return seen;
  };
})();
