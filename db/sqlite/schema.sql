-- EDI master tables for SQLite. SQLite has no time type and ignores declared lengths, so the
-- schedule table checks its lengths itself and keeps 起動時刻 as 'HH:MM:SS' text: the program
-- binds a time in a condition as that same text, so equality and ordering work on it.

-- Write-ahead logging: a reader (the code search keeps its list open while it is shown) never
-- blocks another workstation's save. The mode stays with the file.
PRAGMA journal_mode=WAL;
DROP TABLE IF EXISTS FL1912EDIスケジュールマスタ;
DROP TABLE IF EXISTS FL1903EDI制御マスタ;
DROP TABLE IF EXISTS 区分マスタ;
DROP TABLE IF EXISTS FL1916メッセージグループ情報マスタ;
DROP TABLE IF EXISTS FL1902フォーマット情報マスタ;
DROP TABLE IF EXISTS FL1901項目情報マスタ;

CREATE TABLE 区分マスタ (
    区分 varchar(20) NOT NULL,
    区分コード varchar(10) NOT NULL,
    区分名称 varchar(40),
    PRIMARY KEY (区分, 区分コード)
);

CREATE TABLE FL1903EDI制御マスタ (
    センターコード varchar(12) NOT NULL PRIMARY KEY,
    センター名 varchar(40),
    送受信方式 varchar(2),
    RLY受信ファイルパス varchar(255),
    RLY送信ファイルパス varchar(255),
    相手先種別 varchar(2),
    実行端末名 varchar(32)
);

-- A row is one weekly start: all four columns together identify it.
CREATE TABLE FL1912EDIスケジュールマスタ (
    センターコード varchar(12) NOT NULL CHECK (length(センターコード) <= 12),
    送受信種別 varchar(1) NOT NULL CHECK (length(送受信種別) <= 1),
    曜日 varchar(10) NOT NULL CHECK (length(曜日) <= 10),
    起動時刻 TEXT NOT NULL,
    UNIQUE (センターコード, 送受信種別, 曜日, 起動時刻)
);

-- Accepts H:MM, HH:MM, H:MM:SS and HH:MM:SS (hours 0-23) and nothing else.
CREATE TRIGGER FL1912_起動時刻_check_insert BEFORE INSERT ON FL1912EDIスケジュールマスタ
WHEN NOT ((NEW.起動時刻 GLOB '[0-9]:[0-5][0-9]' OR NEW.起動時刻 GLOB '[0-9][0-9]:[0-5][0-9]'
           OR NEW.起動時刻 GLOB '[0-9]:[0-5][0-9]:[0-5][0-9]'
           OR NEW.起動時刻 GLOB '[0-9][0-9]:[0-5][0-9]:[0-5][0-9]')
          AND NEW.起動時刻 < CASE WHEN substr(NEW.起動時刻, 2, 1) = ':' THEN ':' ELSE '24' END)
BEGIN
    SELECT RAISE(ABORT, '起動時刻 is not a time of day');
END;

CREATE TRIGGER FL1912_起動時刻_check_update BEFORE UPDATE OF 起動時刻 ON FL1912EDIスケジュールマスタ
WHEN NOT ((NEW.起動時刻 GLOB '[0-9]:[0-5][0-9]' OR NEW.起動時刻 GLOB '[0-9][0-9]:[0-5][0-9]'
           OR NEW.起動時刻 GLOB '[0-9]:[0-5][0-9]:[0-5][0-9]'
           OR NEW.起動時刻 GLOB '[0-9][0-9]:[0-5][0-9]:[0-5][0-9]')
          AND NEW.起動時刻 < CASE WHEN substr(NEW.起動時刻, 2, 1) = ':' THEN ':' ELSE '24' END)
BEGIN
    SELECT RAISE(ABORT, '起動時刻 is not a time of day');
END;

-- Rewrites the accepted forms as HH:MM:SS after the row is in; a clash with the unique key
-- fails here and undoes the whole statement.
CREATE TRIGGER FL1912_起動時刻_normalise_insert AFTER INSERT ON FL1912EDIスケジュールマスタ
WHEN NEW.起動時刻 <> time(CASE WHEN substr(NEW.起動時刻, 2, 1) = ':' THEN '0' || NEW.起動時刻
                               ELSE NEW.起動時刻 END)
BEGIN
    UPDATE FL1912EDIスケジュールマスタ
       SET 起動時刻 = time(CASE WHEN substr(NEW.起動時刻, 2, 1) = ':' THEN '0' || NEW.起動時刻
                               ELSE NEW.起動時刻 END)
     WHERE rowid = NEW.rowid;
END;

CREATE TRIGGER FL1912_起動時刻_normalise_update AFTER UPDATE OF 起動時刻 ON FL1912EDIスケジュールマスタ
WHEN NEW.起動時刻 <> time(CASE WHEN substr(NEW.起動時刻, 2, 1) = ':' THEN '0' || NEW.起動時刻
                               ELSE NEW.起動時刻 END)
BEGIN
    UPDATE FL1912EDIスケジュールマスタ
       SET 起動時刻 = time(CASE WHEN substr(NEW.起動時刻, 2, 1) = ':' THEN '0' || NEW.起動時刻
                               ELSE NEW.起動時刻 END)
     WHERE rowid = NEW.rowid;
END;

CREATE TABLE FL1916メッセージグループ情報マスタ (
    相手先コード varchar(12) NOT NULL,
    自社コード varchar(12) NOT NULL,
    情報区分 varchar(4) NOT NULL,
    PRIMARY KEY (相手先コード, 自社コード, 情報区分)
);

-- Several versions of one format share the (情報区分コード, BPID) pair.
CREATE TABLE FL1902フォーマット情報マスタ (
    情報区分コード varchar(4) NOT NULL,
    BPID varchar(20) NOT NULL,
    版 integer NOT NULL,
    フォーマット名 varchar(40),
    PRIMARY KEY (情報区分コード, BPID, 版)
);

CREATE TABLE FL1901項目情報マスタ (
    項目No varchar(4) NOT NULL PRIMARY KEY,
    データ項目名 varchar(40)
);
